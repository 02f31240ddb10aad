#include "orvex/picturedata.h"

#include <QByteArray>

namespace orvex {

namespace {

// Offset of the first image file signature at or after `from`, -1 when there is none.
int imageStart(const QByteArray& bytes, int from) {
    static const QByteArray signatures[] = {QByteArray("\x89PNG", 4), QByteArray("\xFF\xD8\xFF", 3),
                                            QByteArray("BM"), QByteArray("GIF8")};
    // The file follows the class name directly or after its four-byte length.
    for (int offset : {from, from + 4})
        for (const QByteArray& signature : signatures)
            if (bytes.mid(offset, signature.size()) == signature)
                return offset;
    return -1;
}

// The property stream starts with the property name "Data" and a value type; older files
// hold the graphic's record alone.
int classNameOffset(const QByteArray& bytes) {
    if (bytes.size() > 10 && bytes.mid(1, 4) == "Data" && bytes[0] == 4)
        return 10; // name length, "Data", value type, four-byte length
    return 0;
}

} // namespace

DecodedPicture decodePictureData(const QString& hexText) {
    DecodedPicture result;
    const QByteArray bytes = QByteArray::fromHex(hexText.trimmed().toLatin1());
    const int offset = classNameOffset(bytes);
    if (offset >= bytes.size())
        return result;
    const int nameLength = static_cast<unsigned char>(bytes[offset]);
    result.kind = QString::fromLatin1(bytes.mid(offset + 1, nameLength));
    const int start = imageStart(bytes, offset + 1 + nameLength);
    if (start >= 0)
        result.image = QImage::fromData(bytes.mid(start));
    return result;
}

} // namespace orvex
