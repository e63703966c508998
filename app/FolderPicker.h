#pragma once

#include <QString>

#include <functional>

class QWidget;

// The answer of the folder picker. A pick without a path on this computer
// (a network location, for example) is picked with an empty localPath.
struct FolderPick {
    bool picked = false;
    QString localPath;
};

// Asks the user for a folder in a picker titled `title`, opened at
// `startFolder`.
FolderPick PickFolder(QWidget* parent, const QString& title, const QString& startFolder);

// Tests replace the picker; returns the one that was in place, and an empty
// function restores the desktop's.
using FolderPicker =
    std::function<FolderPick(QWidget* parent, const QString& title, const QString& startFolder)>;
FolderPicker ReplaceFolderPicker(FolderPicker picker);
