#pragma once

#include "app/qoruapp.h"
#include "common/appsettings.h"
#include "doc/qorudoc.h"
#include "testprompter.h"

#include <memory>

// The whole program as a Qt test drives it: the answering prompter first,
// then the application started as "qoru" with no file.
inline bool StartTestApp(std::unique_ptr<TestPrompter>& prompter, std::unique_ptr<CQoruApp>& app)
{
    prompter = std::make_unique<TestPrompter>();
    AppSettings().remove(QStringLiteral("Forms")); // every test's forms open as new
    app = std::make_unique<CQoruApp>();
    return app->InitInstance({ QStringLiteral("qoru") });
}

// Stopped in the reverse order, the report marked unmodified so that closing
// asks nothing.
inline void StopTestApp(std::unique_ptr<TestPrompter>& prompter, std::unique_ptr<CQoruApp>& app)
{
    app->document()->setModified(false);
    app.reset();
    prompter.reset();
}
