#pragma once

#include "lists/COwnerDrawHeader.h"

// The playlist pane's header: one centred caption, no arrow, no check box.
class CHeaderCtrlLeftPane : public COwnerDrawHeader {
    Q_OBJECT
public:
    explicit CHeaderCtrlLeftPane(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
