#pragma once

#include <QString>
#include <QStringList>
#include <acad/Types.h>
#include <functional>

// Small helpers of the tests that call a real cadhost through the bus client.
namespace bustest {

// The description of the automation error the call throws, empty when it succeeds.
QString errorOf(const std::function<void()>& call);
// The drawing's layout names in tab order, "Model" first.
QStringList layoutNames(const acad::DocumentSnapshot& doc);

} // namespace bustest
