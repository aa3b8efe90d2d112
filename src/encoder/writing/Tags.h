#pragma once

#include "encoder/writing/Formats.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <string>
#include <utility>
#include <vector>

namespace velmora::encoder {

using Tags = std::vector<std::pair<std::string, std::string>>;

// What an input's file says of itself that an output made from it keeps: above all what the
// camera wrote (when: creation_time; where: location and Apple's ISO 6709 location; with what:
// make, model, software), and titles and the like. Left out are the container's own
// bookkeeping (brands, the muxer's name, play time) and what Velmora wrote for itself.
Tags fileTags(const AVDictionary *metadata);
// What a track says of itself that a copy of it keeps into a container: language, title,
// handler and the like, without the figures a muxer works out afresh (play time, frame and
// byte counts). MP4 and QuickTime name a track by its handler: a title becomes that name.
Tags trackTags(const AVDictionary *metadata, const Container &container);

// For a join that re-encodes: the tags of the file the first input was made from where it
// names one (an intermediate names its source, see SourceNameKey), else the input's own.
Tags sourceFileTags(const AVFormatContext *firstInput);

// Sets the tags on a dictionary, replacing what it holds under the same names.
void setTags(AVDictionary **to, const Tags &tags);

// Whether an MP4 or QuickTime file must name its tags by their own names (QuickTime's metadata
// keys) to hold these: iTunes' tags, which these files hold otherwise, have no place for
// Apple's com.apple.quicktime.* keys, nor in MP4 for make and model.
bool needsNamedTags(const Tags &tags, const Container &container);

} // namespace velmora::encoder
