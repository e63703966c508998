#include "ListsTestSupport.h"

#include "support/FailureImages.h"
#include "support/QtTestSupport.h"

#include <QFont>
#include <iostream>

namespace {

const bool g_qtApp = InstallQtTestApplication("corvane-lists-tests", [] {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    QApplication::setFont(font);
});

} // namespace

const char16_t* TrackTable::Keep(Text text) {
    if (text.value == nullptr)
        return nullptr;
    return pool.emplace_back(text.value).c_str();
}

TrackRecord& TrackTable::Add(Text title, Text artist, uint32_t fileSize, Text album, Text genre) {
    TrackRecord row;
    row.trackId = static_cast<uint32_t>(rows.size());
    row.title = Keep(title);
    row.artist = Keep(artist);
    row.album = Keep(album);
    row.genre = Keep(genre);
    row.fileSize = fileSize;
    return rows.emplace_back(row);
}

void InsertTrackColumns(CListCtrlEx& list) {
    for (int column = 0; column < kTrackColumnCount; ++column)
        list.InsertColumn(column, QString::fromLatin1(kTrackColumns[column].caption),
                          kTrackColumns[column].width);
    list.InitHeader();
}

void ShowRows(CListCtrlEx& list, TrackTable& table) {
    list.SetDisplay(0);
    list.SetRows(nullptr);
    list.SetItemCount(0);
    list.SetItemCount(table.count());
    list.SetRows(table.data());
    list.SetDisplay(1);
}

void PixelTest::TearDown() {
    // PixelIs has saved the image it found wrong; other failures save it here.
    if (!HasFailure() || image.isNull() || !wrong.empty())
        return;
    std::cout << "picture written to " << SaveFailureImages(image, "rendered").toStdString()
              << "\n";
}

QImage& PixelTest::Canvas(int width, int height, QColor fill) {
    image = QImage(width, height, QImage::Format_RGB32);
    image.fill(fill);
    wrong.clear();
    return image;
}

QImage& PixelTest::Keep(QImage rendered) {
    image = std::move(rendered);
    wrong.clear();
    return image;
}

::testing::AssertionResult PixelTest::PixelIs(int x, int y, QColor expected) {
    const QColor actual = image.pixelColor(x, y);
    if (actual.rgb() == expected.rgb())
        return ::testing::AssertionSuccess();
    wrong.emplace_back(x, y);
    return ::testing::AssertionFailure()
           << "pixel (" << x << ", " << y << ") is RGB(" << actual.red() << "," << actual.green()
           << "," << actual.blue() << "), expected RGB(" << expected.red() << ","
           << expected.green() << "," << expected.blue() << "); pictures written to "
           << SaveFailureImages(image, "pixels", wrong).toStdString();
}

int PixelTest::CountPixels(const QRect& area, QColor color) const {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += image.pixelColor(x, y).rgb() == color.rgb() ? 1 : 0;
    return found;
}
