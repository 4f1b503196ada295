#include "files/Cp1251.h"

#include <iconv.h>

#include <cerrno>

namespace Cp1251 {

namespace {

std::optional<QByteArray> convert(const char *to, const char *from, const QByteArray &in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray out;
    out.resize(in.size() * 4 + 16);
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char *dst = out.data();
    size_t dstLeft = size_t(out.size());
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (r == size_t(-1) || srcLeft != 0)
        return std::nullopt;
    out.resize(out.size() - qsizetype(dstLeft));
    return out;
}

} // namespace

std::optional<QByteArray> encode(const QString &text)
{
    return convert("WINDOWS-1251", "UTF-8", text.toUtf8());
}

std::optional<QString> decode(const QByteArray &bytes)
{
    const auto utf8 = convert("UTF-8", "WINDOWS-1251", bytes);
    if (!utf8)
        return std::nullopt;
    return QString::fromUtf8(*utf8);
}

} // namespace Cp1251
