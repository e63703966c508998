#pragma once

#include "app/SettingsStore.h"

#include <QDialog>

#include <functional>

class NameFormat;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The main window's "Options" dialog: how copies are named, with a preview
// of the first ticked track's name, and what a transfer writes besides the
// copies. Each choice goes into the settings file as it is made, so there
// is nothing to confirm: Close or Escape only close the dialog. It comes
// up centred on its owner, as a transient child of it.
class COptionsDialog : public QDialog {
    Q_OBJECT
public:
    // How the first ticked track would be named under `format` (relative
    // to the output folder), asked again at each change; "" when no track
    // is ticked. A format that does not parse arrives empty: the usual
    // names, as a transfer then gives.
    using PreviewSource = std::function<QString(const NameFormat& format)>;

    COptionsDialog(QWidget* owner, SettingsStore settings, PreviewSource preview);

    // Shows the choices as the settings file holds them now.
    void ReadChoices();

    // The naming choices, in the order shown.
    enum class Naming { Usual, ArtistAlbum, AlbumArtistDisc, Own };

    // The pieces tests look at; the check boxes are named by their keys.
    QRadioButton* NamingButton(Naming naming) const;
    QLineEdit* FormatEdit() const { return formatEdit_; }
    QLabel* FormatError() const { return formatError_; }
    QLabel* Preview() const { return preview_; }
    QCheckBox* OptionBox(OptionKey key) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddOption(OptionKey key, const QString& caption);
    void OnNamingClicked(Naming naming);
    void OnFormatEdited();
    std::string ChosenFormat() const;
    void ShowPreview();

    SettingsStore settings_;
    PreviewSource previewOf_;
    QRadioButton* naming_[4] = {};
    QLineEdit* formatEdit_;
    QLabel* formatError_;
    QLabel* preview_;
};
