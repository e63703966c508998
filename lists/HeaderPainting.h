#pragma once

#include <QRect>
#include <QString>

class QPainter;

// The grey gradient behind every header section, with its darker base line.
struct HeaderBackground {
    static void paint(QPainter& painter, const QRect& client);
};

// Everything one header section shows on top of the background.
struct HeaderSectionState {
    QString caption;
    bool centredCaption = false; // the playlist pane centres its single caption
    bool hasCheckBox = false;    // "Name" carries the check-all box before its caption
    bool checked = false;
    int sortState = 0; // 0 none, 1 descending, 2 ascending
};

struct HeaderSection {
    static void paint(QPainter& painter, const QRect& section, const HeaderSectionState& state);
};
