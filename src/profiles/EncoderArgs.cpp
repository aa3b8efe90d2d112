#include "profiles/EncoderArgs.h"

namespace velmora::profiles {

EncoderArgs &EncoderArgs::add(const QString &piece, const QStringList &args)
{
    text += piece;
    for (const QString &argument : args) {
        if (!argument.isEmpty())
            arguments << argument;
    }
    return *this;
}

EncoderArgs &EncoderArgs::append(const EncoderArgs &other)
{
    text += other.text;
    arguments += other.arguments;
    return *this;
}

} // namespace velmora::profiles
