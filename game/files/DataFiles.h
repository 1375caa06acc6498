// Where the game's data files are: first "../../data" relative to the working directory (the game
// started from build/bin of its source tree), else the installed data folder found relative to the
// executable (<prefix>/bin/../share/tortoise-valley), so that an installed game starts from any
// folder and a moved installation still finds its data.
#pragma once

#include <QString>

class DataFiles {
public:
    // The game's two folders: "../../data" and the installed one beside the executable.
    DataFiles();
    // Any two folders (the tests use their own).
    DataFiles(const QString& localFolder, const QString& installedFolder);

    // The path to open for a file of the data folder ("valleyDepth.bmp", "sounds/tick.wav"): in
    // the local folder when the file is there, else in the installed folder when it is there, else
    // the local path, whose open then fails and names it.
    QString path(const QString& name) const;
    // For a path that path() gave for a file found nowhere: the installed path tried as well.
    // Empty for any other path.
    QString alsoTried(const QString& path) const;

    const QString localFolder;
    const QString installedFolder;
};
