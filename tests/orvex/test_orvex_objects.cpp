// Objects beyond plain memos, drawn into a PDF and checked by its pixels and text: pictures
// in the designer's stored forms, gradients, shapes, bar and QR codes (read back with zbarimg),
// HTML tags, rotated text and highlights.

#include "orvex/orvexfixtures.h"
#include "orvex/reportjob.h"
#include "orvex/reportoutput.h"
#include "support/testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

using namespace orvexfixtures;

namespace {

// Red, green and blue as far apart as the colour of a pixel in a rendered PDF can be.
bool near(QRgb pixel, const QColor& expected, int tolerance = 40) {
    return qAbs(qRed(pixel) - expected.red()) <= tolerance &&
           qAbs(qGreen(pixel) - expected.green()) <= tolerance &&
           qAbs(qBlue(pixel) - expected.blue()) <= tolerance;
}

int darkPixels(const QImage& image, const QRect& area) {
    int dark = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

// The rows of a rectangle that hold at least one dark pixel.
int inkedRows(const QImage& image, const QRect& area) {
    int rows = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        rows += darkPixels(image, QRect(area.left(), y, area.width(), 1)) > 0;
    return rows;
}

// The hex text the designer stores for a picture: the "Data" property of a graphic class
// followed by the file bytes, with the four-byte length where the class writes one.
QString propData(const QByteArray& className, const QByteArray& file, bool lengthPrefix) {
    QByteArray inner = char(className.size()) + className;
    if (lengthPrefix) {
        const quint32 n = file.size();
        inner += QByteArray(reinterpret_cast<const char*>(&n), 4);
    }
    inner += file;
    const quint32 total = inner.size();
    QByteArray stream = QByteArray("\x04") + "Data" + char(0x0A) +
                        QByteArray(reinterpret_cast<const char*>(&total), 4) + inner;
    return QString::fromLatin1(stream.toHex().toUpper());
}

QByteArray imageFile(const QColor& color, const char* format) {
    QImage image(24, 12, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestOrvexObjects : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    // Renders a template file over one book row; the PDF's path, empty on failure.
    QString renderFile(const QString& templatePath, const QString& name,
                       QStringList* warnings = nullptr) {
        const orvex::PreparedJob job =
            orvex::prepareReport(templatePath, programParameters("Objekty"), book(1));
        if (!job.ok)
            return {};
        const QString pdf = dir_.filePath(name + ".pdf");
        QString error;
        if (warnings)
            *warnings = job.report.warnings;
        return orvex::writePdf(job.report, pdf, &error) ? pdf : QString();
    }

    QString renderXml(const QString& xml, const QString& name) {
        const QString path = dir_.filePath(name + ".fr3");
        writeBytes(path, xml.toUtf8());
        return renderFile(path, name);
    }

    QImage objectsImage_;
    QString objectsPdf_;
    QStringList objectsWarnings_;

private slots:
    void initTestCase() {
        objectsPdf_ = renderFile(LUMIRA_TEST_DATA "/objects.fr3", "objects", &objectsWarnings_);
        QVERIFY(!objectsPdf_.isEmpty());
        objectsImage_ = pdfImage(objectsPdf_);
        QCOMPARE(objectsImage_.size(), QSize(378, 378));
    }

    void objectsRenderWithoutWarnings() {
        QStringList rest = objectsWarnings_;
        rest.removeIf([](const QString& w) { return w.startsWith("Písmo"); });
        QCOMPARE(rest, QStringList());
    }

    void pixelsOfPicturesGradientsAndShapes_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("picture stretched to its object") << QPoint(65, 65) << QColor(Qt::red);
        QTest::newRow("gradient begins red") << QPoint(83, 30) << QColor(Qt::red);
        QTest::newRow("gradient ends blue") << QPoint(177, 30) << QColor(Qt::blue);
        QTest::newRow("gradient half way") << QPoint(130, 30) << QColor(128, 0, 128);
        QTest::newRow("ellipse filled in its centre") << QPoint(220, 30) << QColor(0, 255, 0);
        QTest::newRow("ellipse leaves its corner") << QPoint(192, 12) << QColor(Qt::white);
        QTest::newRow("highlight fill of the row") << QPoint(245, 217) << QColor(0, 0, 128);
    }

    void pixelsOfPicturesGradientsAndShapes() {
        QFETCH(QPoint, at);
        QFETCH(QColor, expected);
        const QRgb pixel = objectsImage_.pixel(at);
        QVERIFY2(near(pixel, expected), qPrintable(QColor(pixel).name()));
    }

    void codesDecodeToTheirRowsValues() {
        const QImage sharp = pdfImage(objectsPdf_, 192);
        QVERIFY(!sharp.isNull());
        const QString decoded =
            QString::fromUtf8(toolOutput("zbarimg", {"--quiet", objectsPdf_ + "-192.png"}));
        QVERIFY2(decoded.contains("QR-Code:SPD*1.0*ACC:CZ6508000000192000145399*CC:CZK*X-VS:"
                                  "20240001"),
                 qPrintable(decoded));
        QVERIFY2(decoded.contains("CODE-128:FD_0001"), qPrintable(decoded));
    }

    void htmlTagsFormatInsteadOfPrinting() {
        const QString text = pdfText(objectsPdf_);
        QVERIFY2(text.contains("Tučně a kurzíva, červeně"), qPrintable(text));
        QVERIFY(!text.contains("<b>"));
        QVERIFY(!text.contains("font"));
        int red = 0;
        for (int x = 150; x < 370; ++x)
            for (int y = 150; y < 170; ++y)
                red += near(objectsImage_.pixel(x, y), Qt::red, 90);
        QVERIFY(red > 10);
    }

    void rotatedTextRunsUpTheObject() {
        // Unturned, the text would stay in the first line of its 20-pixel-wide object.
        QVERIFY(inkedRows(objectsImage_, QRect(10, 210, 20, 150)) > 80);
    }

    void picturesInEveryStoredForm_data() {
        QTest::addColumn<QString>("data");
        QTest::newRow("PNG") << propData("TPngImage", imageFile(Qt::blue, "PNG"), false);
        QTest::newRow("PNG with length") << propData("TPngImage", imageFile(Qt::blue, "PNG"), true);
        QTest::newRow("JPEG") << propData("TJPEGImage", imageFile(Qt::blue, "JPEG"), true);
        QTest::newRow("bitmap") << propData("TBitmap", imageFile(Qt::blue, "BMP"), true);
    }

    void picturesInEveryStoredForm() {
        QFETCH(QString, data);
        // A 24 x 12 picture in a 100 x 100 object: kept in proportion and centred, at its
        // own size in the top left corner, or stretched over the whole object.
        const QString xml = QString(R"(<?xml version="1.0" encoding="utf-8"?>
<TfrxReport ReportOptions.Name="Obrázky">
  <TfrxReportPage Name="Page1" PaperWidth="100" PaperHeight="100" LeftMargin="0" RightMargin="0" TopMargin="0" BottomMargin="0">
    <TfrxReportTitle Name="ReportTitle1" Height="300" Top="0">
      <TfrxPictureView Name="Aspect" Left="0" Top="0" Width="100" Height="100" Center="True" Picture.PropData="%1"/>
      <TfrxPictureView Name="Own" Left="120" Top="0" Width="100" Height="100" Stretched="False" Picture.PropData="%1"/>
      <TfrxPictureView Name="Whole" Left="240" Top="0" Width="100" Height="100" KeepAspectRatio="False" Picture.PropData="%1"/>
    </TfrxReportTitle>
  </TfrxReportPage>
</TfrxReport>)")
                                .arg(data);
        const QString pdf = renderXml(xml, QTest::currentDataTag());
        QVERIFY(!pdf.isEmpty());
        const QImage image = pdfImage(pdf);
        const auto isBlue = [&](int x, int y) { return near(image.pixel(x, y), Qt::blue); };
        QVERIFY(isBlue(50, 50));
        QVERIFY(!isBlue(50, 10)); // above the centred 100 x 50 picture
        QVERIFY(isBlue(130, 6));  // own size: 24 x 12 at the corner
        QVERIFY(!isBlue(130, 20));
        QVERIFY(!isBlue(150, 6));
        QVERIFY(isBlue(330, 90)); // stretched to the corner
    }
};

QTEST_MAIN(TestOrvexObjects)
#include "test_orvex_objects.moc"
