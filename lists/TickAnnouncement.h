#pragma once

class QAbstractItemView;
class QModelIndex;

// Tells a screen reader that the tick of the cell in focus changed. Qt's
// views report a change of a cell's data only as a change of the table's
// data, which readers do not speak; a tick is told the way Qt tells it for
// its own check boxes, as a change of the `checked` state, here of the
// focused cell alone, since that is what a reader follows. Does nothing
// while no assistive technology listens.
void AnnounceTickChange(QAbstractItemView& view, const QModelIndex& cell);
