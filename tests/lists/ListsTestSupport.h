#pragma once

#include "library/TrackRecord.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "lists/TrackColumns.h"

#include <QApplication>
#include <QImage>
#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// Owns the strings that test rows point at, the way the device pool would.
class TrackTable {
public:
    // Empty optional texts become null fields; use Text(u"") for an empty string.
    struct Text {
        const char16_t* value; // {} gives null
    };
    TrackRecord& Add(Text title, Text artist = {}, uint32_t fileSize = 0, Text album = {},
                     Text genre = {});
    TrackRecord* data() { return rows.data(); }
    int count() const { return static_cast<int>(rows.size()); }
    TrackRecord& operator[](int row) { return rows[row]; }

private:
    const char16_t* Keep(Text text);
    std::deque<std::u16string> pool;
    std::vector<TrackRecord> rows;
};

// A track list with the six columns inserted and the rows handed over, as
// the main window sets it up.
void ShowRows(CListCtrlEx& list, TrackTable& table);
void InsertTrackColumns(CListCtrlEx& list);

// Pixel assertions that keep the image they looked at: a failing check saves
// it, with the pixels PixelIs found wrong, as support/FailureImages.h names them.
class PixelTest : public ::testing::Test {
protected:
    void TearDown() override;

    QImage& Canvas(int width, int height, QColor fill = Qt::magenta);
    QImage& Keep(QImage image);
    // For pixels that must match: a mismatch saves the pictures.
    ::testing::AssertionResult PixelIs(int x, int y, QColor expected);
    int CountPixels(const QRect& area, QColor color) const;

    QImage image;

private:
    std::vector<QPoint> wrong; // in `image`, which Canvas and Keep replace
};
