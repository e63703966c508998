#include "app/CCorvaneDlg.h"
#include "app/COptionsDialog.h"

#include "MainWindowTestSupport.h"
#include "app/MainBackground.h"
#include "controls/TransCheck.h"
#include "lists/CListCtrlEx.h"
#include "lists/CListCtrlLeftPane.h"
#include "platform/DialogPlacement.h"
#include "resources/Template102.h"
#include "resources/TemplateLayout.h"
#include "transfer/dialog/CTransferDialog.h"

#include <gtest/gtest.h>

#include <QtTest/QTest>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QWindow>

#include <cstdlib>

namespace {

using Naming = COptionsDialog::Naming;

constexpr OptionKey kChoices[] = {kCheckSaveCovers, kCheckWriteTags, kCheckWriteM3u8,
                                  kCheckSkipIdentical};

// A main window over the sample device, whose transfers really copy.
class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(root.isValid());
        setenv("CORVANE_VOLUMES", (root.path() + "/ipod").toUtf8().constData(), 1);
        setenv("XDG_CONFIG_HOME", (root.path() + "/config").toUtf8().constData(), 1);
        ASSERT_TRUE(PlugSampleDevice(root.path() + "/ipod"));
    }

    void TearDown() override {
        window.reset();
        unsetenv("CORVANE_VOLUMES");
    }

    void Start() {
        window = std::make_unique<CCorvaneDlg>();
        ASSERT_TRUE(window->OnInitDialog());
        window->SetTransferRunner([this](CTransferDialog& transfer) {
            transfer.show();
            ASSERT_TRUE(WaitUntil(
                [&] { return transfer.Progress().phase() == TransferProgress::Phase::Finished; }));
            const CopyJob& job = transfer.Job();
            jobs.push_back({job.writeCovers, job.writeTags, job.skipIdentical});
            outcomes.push_back(transfer.Outcome());
        });
        window->show();
        window->FolderEdit()->setText(Out());
    }

    COptionsDialog& OpenOptions() {
        window->Button(IDC_MAIN_OPTIONS)->click();
        return *window->OptionsDialog();
    }

    void TickTrack(int row) { window->TrackList()->SetRowCheck(row, true); }

    QString Out() const { return root.path() + "/out"; }

    struct JobFlags {
        bool writeCovers, writeTags, skipIdentical;
    };

    QTemporaryDir root;
    std::unique_ptr<CCorvaneDlg> window;
    std::vector<JobFlags> jobs;
    std::vector<CopyOutcome> outcomes;
};

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST_F(OptionsDialogTest, OpensCentredOverTheWindowFromAControlThatCrowdsNoOther) {
    Start();
    const TemplateLayout layout(MainDialogTemplate());
    const QRect place = window->Button(IDC_MAIN_OPTIONS)->geometry();
    EXPECT_EQ(place, layout.PlaceOf(IDC_MAIN_OPTIONS));
    for (const DialogControl& control : MainDialogTemplate().controls) {
        if (control.id == IDC_MAIN_OPTIONS)
            continue;
        EXPECT_FALSE(layout.PlaceOf(control.id).intersects(place)) << control.id;
    }
    MainBackground background;
    background.trackList = window->TrackList()->geometry();
    background.playlistPane = window->Playlists()->geometry();
    background.copyButton = window->Button(IDC_MAIN_COPY)->geometry();
    EXPECT_TRUE(background.OptionPanel().adjusted(1, 1, -1, -1).contains(place));
    EXPECT_LT(place.right(), background.DividerX());

    COptionsDialog& options = OpenOptions();
    ASSERT_TRUE(WaitUntil([&] { return options.isVisible(); }));
    EXPECT_EQ(options.windowTitle(), "Options");
    ASSERT_NE(options.windowHandle(), nullptr);
    EXPECT_EQ(options.windowHandle()->transientParent(), window->windowHandle());
    // Placed as the message boxes are: its corner where a frameless window
    // of its size would be centred.
    EXPECT_EQ(options.frameGeometry().topLeft(),
              CentredTopLeft(window->geometry(), options.size()));

    QTest::keyClick(&options, Qt::Key_Escape);
    EXPECT_FALSE(options.isVisible());
    OpenOptions();
    options.NamingButton(Naming::Own)->click();
    QTest::keyClick(options.FormatEdit(), Qt::Key_Escape); // also from inside the box
    EXPECT_FALSE(options.isVisible());
}

TEST_F(OptionsDialogTest, ChoicesSurviveARestartAndTheNextTransferUsesThem) {
    Start();
    COptionsDialog* options = &OpenOptions();
    for (OptionKey key : kChoices) {
        EXPECT_FALSE(options->OptionBox(key)->isChecked()) << key.name;
        options->OptionBox(key)->click();
    }
    options->NamingButton(Naming::Own)->click();
    QTest::keyClicks(options->FormatEdit(), "{genre}/{title}");
    QTest::keyClick(options, Qt::Key_Escape);

    window.reset();
    Start();
    options = &OpenOptions();
    for (OptionKey key : kChoices)
        EXPECT_TRUE(options->OptionBox(key)->isChecked()) << key.name;
    EXPECT_TRUE(options->NamingButton(Naming::Own)->isChecked());
    EXPECT_EQ(options->FormatEdit()->text(), "{genre}/{title}");
    QTest::keyClick(options, Qt::Key_Escape);

    TickTrack(0);
    window->Button(IDC_MAIN_COPY)->click();
    window->Button(IDC_MAIN_COPY)->click();
    ASSERT_EQ(outcomes.size(), 2u);
    for (const JobFlags& job : jobs)
        EXPECT_TRUE(job.writeCovers && job.writeTags && job.skipIdentical);
    EXPECT_EQ(outcomes[0].copiedCount, 1u);
    EXPECT_TRUE(QFileInfo::exists(Out() + "/Jazz/Blue in Green.mp3"));
    EXPECT_EQ(ReadAll(Out() + "/Sample iPod.m3u8"),
              "#EXTM3U\n#EXTINF:12,Miles Davis - Blue in Green\nJazz/Blue in Green.mp3\n");
    // The second run finds the copy there and lists it all the same.
    EXPECT_EQ(outcomes[1].copiedCount, 0u);
    EXPECT_EQ(outcomes[1].skippedCount, 1u);
    EXPECT_EQ(QDir(Out() + "/Jazz").entryList(QDir::Files), QStringList{"Blue in Green.mp3"});
    EXPECT_TRUE(ReadAll(Out() + "/Sample iPod(0).m3u8").endsWith("\nJazz/Blue in Green.mp3\n"));

    // Each choice turned off again is kept too, and the window's own
    // options stay as they were.
    options = &OpenOptions();
    for (OptionKey key : kChoices)
        options->OptionBox(key)->click();
    options->NamingButton(Naming::Usual)->click();
    window.reset();
    Start();
    options = &OpenOptions();
    for (OptionKey key : kChoices)
        EXPECT_FALSE(options->OptionBox(key)->isChecked()) << key.name;
    EXPECT_TRUE(options->NamingButton(Naming::Usual)->isChecked());
    EXPECT_EQ(window->OptionBox(IDC_MAIN_OPEN_WHEN_DONE)->GetCheck(), 1);
}

TEST_F(OptionsDialogTest, PreviewNamesTheFirstTickedTrackAndABrokenFormatInWords) {
    Start();
    COptionsDialog& options = OpenOptions();
    EXPECT_EQ(options.Preview()->text(), "Tick a track to see the name its copy gets.");
    QTest::keyClick(&options, Qt::Key_Escape);

    TickTrack(2);
    TickTrack(1);
    window->OptionBox(IDC_MAIN_KEEP_ORGANIZED)->click();
    OpenOptions();
    EXPECT_EQ(options.Preview()->text(),
              "The first ticked track: Miles Davis/Kind of Blue/So What.mp3");
    options.NamingButton(Naming::AlbumArtistDisc)->click();
    EXPECT_EQ(options.FormatEdit()->text(), "{albumartist}/{album}/{disc}-{track:02} {title}");
    EXPECT_FALSE(options.FormatEdit()->isEnabled());
    options.NamingButton(Naming::Own)->click();
    options.FormatEdit()->clear();
    QTest::keyClicks(options.FormatEdit(), "{genre}/{year} {title}");
    EXPECT_EQ(options.Preview()->text(), "The first ticked track: Jazz/So What.mp3");
    EXPECT_TRUE(options.FormatError()->isHidden());

    QTest::keyClicks(options.FormatEdit(), "/{mood}");
    EXPECT_FALSE(options.FormatError()->isHidden());
    EXPECT_TRUE(options.FormatError()->text().contains("mood"))
        << options.FormatError()->text().toStdString();
    // What a transfer then does: the usual names.
    EXPECT_EQ(options.Preview()->text(),
              "The first ticked track: Miles Davis/Kind of Blue/So What.mp3");
}
