#include "lists/CHeaderCtrlLeftPane.h"

#include "lists/HeaderPainting.h"

CHeaderCtrlLeftPane::CHeaderCtrlLeftPane(QWidget* parent) : COwnerDrawHeader(parent) {}

void CHeaderCtrlLeftPane::paintSection(QPainter* painter, const QRect& rect,
                                       int logicalIndex) const {
    // Only the first section is drawn: the pane has a single column.
    if (logicalIndex != 0)
        return;
    HeaderSectionState state;
    state.caption = model() ? model()->headerData(0, Qt::Horizontal).toString() : QString();
    state.centredCaption = true;
    HeaderSection::paint(*painter, rect, state);
}
