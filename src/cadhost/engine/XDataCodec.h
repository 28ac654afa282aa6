#pragma once

#include "Drawing.h"

namespace cadhost {

// Extended data as the automation interface hands it out: code 1001 with the application name, then
// the values, typed by their group code (1070 16-bit, 1071 32-bit, 1010..1059 real, else text).
// An empty application name gives every application's data.
acad::XData toAutomation(const QList<XDataApp>& apps, const QString& application);

// Writes SetXData arrays into an object's data: each 1001 group starts one application, whose data
// is replaced as a whole (an application name alone removes it). Throws acad::Error on bad arrays
// and changes nothing then.
void applyXData(QList<XDataApp>& apps, const acad::XData& data);

} // namespace cadhost
