#pragma once

class QWidget;

// What screen readers learn about the skinned controls, through Qt's
// accessibility interfaces: the check box is a check box with its state,
// the label a static text carrying its text (and naming the control it
// labels), the link a link that can be followed. The skinned buttons are
// Qt's own buttons to a screen reader already.
//
// The controls install the interfaces themselves, the first time one of
// them is made; installing again does nothing.
void InstallAccessibleControls();

// Tell the screen reader what just changed in a control.
void AnnounceCheckedChange(QWidget* checkBox);
void AnnounceTextChange(QWidget* label);
