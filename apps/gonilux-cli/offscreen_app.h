// The application object the drawing commands need, without a display.
#pragma once

namespace gonilux::cli {

// Creates a QGuiApplication on the offscreen platform (unless QT_QPA_PLATFORM names another)
// when none exists yet; file managers run thumbnailers without a display. The platform's note
// about a missing runtime folder is not printed.
void EnsureOffscreenApplication();

// Labels in English: the viewer's translation, embedded in this program too (a note on standard
// error when it is missing).
void InstallEnglishLabels();

} // namespace gonilux::cli
