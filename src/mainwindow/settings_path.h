// Where the settings file lives.
#pragma once

#include <QString>

namespace gonilux::mainwindow {

// gonilux.ini beside the executable when it exists there or that folder is writable, else in the
// user's configuration folder.
QString DefaultSettingsPath();

} // namespace gonilux::mainwindow
