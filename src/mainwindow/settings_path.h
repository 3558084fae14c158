// The generic storage of one options group box and its direct child controls, keyed by the
// controls' object names, and where the settings file lives.
#pragma once

#include "photometry/ini_document.h"

#include <QString>

namespace gonilux::mainwindow {

class TGroupBoxEx;

// Applies the box's section through the controls' own setters (their handlers run). False when
// a value is malformed: reading stops there and the caller reports it.
bool LoadGroupBox(TGroupBoxEx* box, const IniDocument& ini, int collapsedDefault, int checkDefault);

// Writes "Collapsed", then each child's value in child order ("RB" for a checked radio button).
void SaveGroupBox(const TGroupBoxEx* box, IniDocument& ini);

// gonilux.ini beside the executable when it exists there or that folder is writable, else in the
// user's configuration folder.
QString DefaultSettingsPath();

// "RB" default of a box, and whether a check box defaults to 1 whatever its box's default.
QString DefaultRadioButton(const QString& box);
bool ChecksByDefault(const QString& checkBox);

} // namespace gonilux::mainwindow
