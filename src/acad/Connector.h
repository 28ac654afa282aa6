#pragma once

#include "ActionScope.h"
#include "Host.h"

#include <functional>
#include <memory>

namespace acad {

// The CAD program's class name, as the programs ask for it.
inline const QString kAcadProgId = QStringLiteral("AutoCAD.Application.18");

// The running-object lookup: "is it running", "attach" and "create a new instance".
// attach and create throw acad::Error with a German description.
class Connector
{
public:
    virtual ~Connector() = default;
    virtual bool isRunning(const QString& progId) = 0;
    virtual std::shared_ptr<Host> attach(const QString& progId) = 0;
    virtual std::shared_ptr<Host> create(const QString& progId) = 0;

    // Shared with the hosts this connector hands out; the program begins each user action on it.
    const std::shared_ptr<ActionScope>& actionScope() const { return m_actionScope; }

private:
    std::shared_ptr<ActionScope> m_actionScope = std::make_shared<ActionScope>();
};

// A connector made of three functions; tests use it to hand out an in-process engine.
class FunctionConnector final : public Connector
{
public:
    std::function<bool(const QString&)> running;
    std::function<std::shared_ptr<Host>(const QString&)> attaching;
    std::function<std::shared_ptr<Host>(const QString&)> creating;

    bool isRunning(const QString& progId) override;
    std::shared_ptr<Host> attach(const QString& progId) override;
    std::shared_ptr<Host> create(const QString& progId) override;
};

} // namespace acad
