#pragma once

#include "FileResult.h"

#include <QCoreApplication>
#include <QString>

namespace pelto5 {

// Puts what went wrong with a ship file into the user's words.
class FileMessages {
    Q_DECLARE_TR_FUNCTIONS(FileMessages)
public:
    // The message for a failed load or save: what failed, for which file, and why.
    static QString Words(const FileResult& result);
    // The same in a few words for a screen reader: what failed, for which
    // file by its name ("Could not save Corvette.gf").
    static QString Short(const FileResult& result);

private:
    // Why a file cannot be opened or read as a ship file.
    static QString WhyUnreadable(int error);
    static QString StepWords(FileResult::SaveStep step);
};

} // namespace pelto5
