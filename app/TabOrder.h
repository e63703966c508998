#pragma once

class QWidget;
struct DialogTemplate;

// Gives the controls of `window` the Tab order of its template: the
// controls marked as tab stops, in the template's order, and no others.
// Each control is the child of `window` named by its control ID.
void ApplyTemplateTabOrder(QWidget& window, const DialogTemplate& dialog);
