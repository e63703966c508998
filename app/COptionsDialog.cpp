#include "app/COptionsDialog.h"

#include "platform/DialogPlacement.h"
#include "transfer/NameFormat.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

using Naming = COptionsDialog::Naming;

constexpr const char* kArtistAlbumFormat = "{artist}/{album}/{track:02} {title}";
constexpr const char* kAlbumArtistDiscFormat = "{albumartist}/{album}/{disc}-{track:02} {title}";

// What NAME_FORMAT holds for a choice that names its own format; "" is the
// usual names.
std::string FormatOf(Naming naming) {
    switch (naming) {
    case Naming::ArtistAlbum:
        return kArtistAlbumFormat;
    case Naming::AlbumArtistDisc:
        return kAlbumArtistDiscFormat;
    case Naming::Usual:
    case Naming::Own:
        break;
    }
    return {};
}

// The choice a stored format reads as: a preset's exact text is that preset.
Naming NamingOf(const std::string& format) {
    for (Naming naming : {Naming::Usual, Naming::ArtistAlbum, Naming::AlbumArtistDisc})
        if (format == FormatOf(naming))
            return naming;
    return Naming::Own;
}

QString CaptionOf(Naming naming) {
    switch (naming) {
    case Naming::Usual:
        return QStringLiteral("Title, inside Artist/Album when the folder is kept organized");
    case Naming::ArtistAlbum:
        return QStringLiteral("Artist/Album/01 Title");
    case Naming::AlbumArtistDisc:
        return QStringLiteral("Album Artist/Album/1-01 Title");
    case Naming::Own:
        break;
    }
    return QStringLiteral("A format of my own:");
}

} // namespace

COptionsDialog::COptionsDialog(QWidget* owner, SettingsStore settings, PreviewSource preview)
    : QDialog(owner, Qt::Dialog), settings_(std::move(settings)), previewOf_(std::move(preview)),
      formatEdit_(new QLineEdit(this)), formatError_(new QLabel(this)), preview_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Options"));
    setWindowModality(Qt::WindowModal);
    auto* names = new QGroupBox(QStringLiteral("File names"), this);
    auto* namesLayout = new QVBoxLayout(names);
    for (Naming naming :
         {Naming::Usual, Naming::ArtistAlbum, Naming::AlbumArtistDisc, Naming::Own}) {
        auto* button = new QRadioButton(CaptionOf(naming), names);
        naming_[int(naming)] = button;
        namesLayout->addWidget(button);
        connect(button, &QAbstractButton::clicked, this,
                [this, naming] { OnNamingClicked(naming); });
    }
    formatEdit_->setPlaceholderText(QStringLiteral("{artist}/{year} {album}/{track:02} {title}"));
    formatEdit_->setAccessibleName(QStringLiteral("Own format"));
    namesLayout->addWidget(formatEdit_);
    formatError_->setWordWrap(true);
    namesLayout->addWidget(formatError_);
    preview_->setWordWrap(true);
    preview_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    namesLayout->addWidget(preview_);
    connect(formatEdit_, &QLineEdit::textEdited, this, &COptionsDialog::OnFormatEdited);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(names);
    AddOption(kCheckSaveCovers, QStringLiteral("Save cover art in album folders"));
    AddOption(kCheckWriteTags,
              QStringLiteral("Write tags, ratings and play counts into the copies"));
    AddOption(kCheckWriteM3u8, QStringLiteral("Write playlists as M3U8"));
    AddOption(kCheckSkipIdentical, QStringLiteral("Skip tracks already copied"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    ReadChoices();
}

void COptionsDialog::AddOption(OptionKey key, const QString& caption) {
    auto* box = new QCheckBox(caption, this);
    box->setObjectName(QString::fromLatin1(key.name));
    layout()->addWidget(box);
    connect(box, &QAbstractButton::clicked, this,
            [this, key](bool on) { settings_.WriteOption(key, on); });
}

QRadioButton* COptionsDialog::NamingButton(Naming naming) const {
    return naming_[int(naming)];
}

QCheckBox* COptionsDialog::OptionBox(OptionKey key) const {
    return findChild<QCheckBox*>(QString::fromLatin1(key.name));
}

void COptionsDialog::ReadChoices() {
    const std::string format = settings_.ReadNameFormat();
    const Naming naming = NamingOf(format);
    NamingButton(naming)->setChecked(true);
    formatEdit_->setText(QString::fromStdString(format));
    formatEdit_->setEnabled(naming == Naming::Own);
    for (OptionKey key : {kCheckSaveCovers, kCheckWriteTags, kCheckWriteM3u8, kCheckSkipIdentical})
        OptionBox(key)->setChecked(settings_.ReadOption(key));
    ShowPreview();
}

// A preset fills the box with its format, a start for one's own.
void COptionsDialog::OnNamingClicked(Naming naming) {
    if (naming != Naming::Own)
        formatEdit_->setText(QString::fromStdString(FormatOf(naming)));
    formatEdit_->setEnabled(naming == Naming::Own);
    if (naming == Naming::Own)
        formatEdit_->setFocus(Qt::OtherFocusReason);
    settings_.WriteNameFormat(ChosenFormat());
    ShowPreview();
}

void COptionsDialog::OnFormatEdited() {
    settings_.WriteNameFormat(ChosenFormat());
    ShowPreview();
}

std::string COptionsDialog::ChosenFormat() const {
    if (NamingButton(Naming::Own)->isChecked())
        return formatEdit_->text().toStdString();
    for (Naming naming : {Naming::ArtistAlbum, Naming::AlbumArtistDisc})
        if (NamingButton(naming)->isChecked())
            return FormatOf(naming);
    return {};
}

void COptionsDialog::ShowPreview() {
    NameFormat format;
    std::string error;
    const bool parsed = NameFormat::Parse(ChosenFormat(), format, error);
    formatError_->setVisible(!parsed);
    if (!parsed)
        formatError_->setText(QStringLiteral("This format cannot be used (%1); the copies get "
                                             "the usual names.")
                                  .arg(QString::fromStdString(error)));
    const QString path = previewOf_ ? previewOf_(format) : QString();
    preview_->setText(path.isEmpty() ? QStringLiteral("Tick a track to see the name its copy gets.")
                                     : QStringLiteral("The first ticked track: %1").arg(path));
}

void COptionsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlaceOverOwner(*this);
}
