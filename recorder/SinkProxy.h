// Stands between the library and the program's callback object: each callback
// is recorded on the library's thread, then handed on unchanged, on that same
// thread, and the program's answer goes back to the library.
#pragma once

#include <string>

#include "contract/TqDvManager.h"
#include "recorder/RecorderSession.h"

class SinkProxy final : public ITqEventSink {
public:
    SinkProxy(RecorderSession& session, ITqEventSink* program);

    TqStatus OnPanelReport(const GUID* eventIid, const PanelChanges* changes, const PanelStatus* status) override;
    TqStatus OnPanelConnection(const GUID* eventIid, std::int32_t state) override;
    TqStatus OnPanelProgress(std::int32_t first, std::int32_t value) override;

    const std::string& Name() const { return m_name; }

private:
    RecorderSession& m_session;
    ITqEventSink* const m_program;
    const std::string m_name;
};
