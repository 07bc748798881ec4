#pragma once
// The caution shown before a text data file too long for old versions of the program is
// written (see textSizeWarningDue); the save goes on whatever the user does.
namespace qv {

// Window 20 "Large File Size": waits for its button, Return or its close box.
void KestRixTextSizeWarning();

}  // namespace qv
