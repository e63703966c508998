#pragma once

#include <QHeaderView>

// A horizontal header that paints its own background and sections, and that
// turns a double click into a single press: two quick clicks act twice, and
// a double click on a divider never auto-sizes the column.
class COwnerDrawHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit COwnerDrawHeader(QWidget* parent = nullptr);

    // The section's rectangle in the header's coordinates; painting and
    // hit-testing both use it so they can never disagree.
    QRect SectionRect(int logicalIndex) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A click on a section; x is where the button was released.
    void columnClicked(int column, int x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int releaseX = 0;
};
