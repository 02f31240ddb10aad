#pragma once
// Pictures stored in templates: the designer writes a picture as the hex text of a Delphi
// property stream ("Data", a binary value: the graphic's class name and its file bytes).

#include <QImage>
#include <QString>

namespace orvex {

struct DecodedPicture {
    QImage image; // null when the data holds no picture the library can draw
    QString kind; // the graphic's class name (TBitmap, TPngImage, TJPEGImage, TMetafile ...)
};

DecodedPicture decodePictureData(const QString& hexText);

} // namespace orvex
