#include "recorder/SinkProxy.h"

#include "recorder/format/RecordingFormat.h"

SinkProxy::SinkProxy(RecorderSession& session, ITqEventSink* program)
    : m_session(session), m_program(program), m_name(session.NewName('S')) {}

TqStatus SinkProxy::OnPanelReport(const GUID* eventIid, const PanelChanges* changes, const PanelStatus* status) {
    const std::string panel = RecorderSession::PanelText(eventIid);
    if (changes && status && eventIid) {
        m_session.Event("report " + m_name + " " + panel + " " +
                       RecordingFormat::Hex(changes->bytes, sizeof changes->bytes) + " " +
                       RecordingFormat::Hex(status->bytes, sizeof status->bytes));
    } else {
        // Not a report the format can hold; say what came, so nothing passes unseen.
        m_session.Event("note report to " + m_name + " for " + panel + " with a null block");
    }
    return m_program->OnPanelReport(eventIid, changes, status);
}

TqStatus SinkProxy::OnPanelConnection(const GUID* eventIid, std::int32_t state) {
    if (eventIid)
        m_session.Event("connection " + m_name + " " + RecorderSession::PanelText(eventIid) + " " +
                       std::to_string(state));
    else
        m_session.Event("note connection " + std::to_string(state) + " to " + m_name + " without an interface");
    return m_program->OnPanelConnection(eventIid, state);
}

TqStatus SinkProxy::OnPanelProgress(std::int32_t first, std::int32_t value) {
    m_session.Event("progress " + m_name + " " + std::to_string(first) + " " + std::to_string(value));
    return m_program->OnPanelProgress(first, value);
}
