#pragma once

#include <functional>
#include <string>

namespace kordex::app {

// The application's default error handling: a failure that no step handles ends its handler
// where it occurred and is shown as a message box with its description; whatever the handler
// did before stays and the window goes on working.
void ShowDefaultError(const std::string& description);

// Replaces the box, for tests that look at what would be shown; an empty function restores it.
void SetDefaultErrorReporter(std::function<void(const std::string&)> reporter);

// Runs one handler under the default error handling. Handlers are caught here, at their own
// boundary, so that no exception ever unwinds through Qt's event dispatch.
void RunGuarded(const std::function<void()>& handler);

}  // namespace kordex::app
