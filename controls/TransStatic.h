#pragma once

#include "controls/LabelFace.h"

#include <QPointer>
#include <QWidget>

// A label that paints only its text, in one of seven modes (colours,
// underline, bold), over its parent's skinned background. Like a plain
// static text it lets the mouse through to its parent, which runs any link
// behaviour itself (changing the mode and repainting the label).
class CTransStatic : public QWidget {
    Q_OBJECT
public:
    explicit CTransStatic(const QString& text = {}, QWidget* parent = nullptr);

    void SetText(const QString& text); // repaints
    QString Text() const { return m_text; }
    void SetStyles(StaticStyles styles); // repaints
    StaticStyles Styles() const { return m_styles; }
    // Only stores the mode; the caller repaints (update()) when it wants.
    void SetMode(int mode) { m_nMode = mode; }
    int Mode() const { return m_nMode; }
    // The control this label names, for a screen reader; none by default.
    void SetBuddy(QWidget* buddy) { m_buddy = buddy; }
    QWidget* Buddy() const { return m_buddy; }
    LabelFace Face() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    StaticStyles m_styles;
    int m_nMode = 0;
    QPointer<QWidget> m_buddy;
};
