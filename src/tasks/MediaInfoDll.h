#pragma once

#include <cstddef>

// The MediaInfo library's published C interface, linked when the program loads. Texts are
// wide-character strings (wchar_t, UTF-32 here).
extern "C" {

enum MediaInfo_stream_C { MediaInfo_Stream_General = 0, MediaInfo_Stream_Video = 1 };
enum MediaInfo_info_C { MediaInfo_Info_Name = 0, MediaInfo_Info_Text = 1 };

void *MediaInfo_New();
size_t MediaInfo_Open(void *handle, const wchar_t *file);
const wchar_t *MediaInfo_Get(void *handle, MediaInfo_stream_C streamKind, size_t streamNumber,
                             const wchar_t *parameter, MediaInfo_info_C infoKind, MediaInfo_info_C searchKind);
void MediaInfo_Close(void *handle);
void MediaInfo_Delete(void *handle);

} // extern "C"
