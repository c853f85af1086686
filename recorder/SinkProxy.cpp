#include "recorder/SinkProxy.h"

#include "recorder/format/RecordingFormat.h"

SinkProxy::SinkProxy(RecorderSession& session, ITqEventSink* program)
    : session_(session), program_(program), name_(session.NewName('S')) {}

TqStatus SinkProxy::OnPanelReport(const GUID* eventIid, const PanelChanges* changes, const PanelStatus* status) {
    const std::string panel = RecorderSession::PanelText(eventIid);
    if (changes && status && eventIid) {
        session_.Event("report " + name_ + " " + panel + " " +
                       RecordingFormat::Hex(changes->bytes, sizeof changes->bytes) + " " +
                       RecordingFormat::Hex(status->bytes, sizeof status->bytes));
    } else {
        // Not a report the format can hold; say what came, so nothing passes unseen.
        session_.Event("note report to " + name_ + " for " + panel + " with a null block");
    }
    return program_->OnPanelReport(eventIid, changes, status);
}

TqStatus SinkProxy::OnPanelConnection(const GUID* eventIid, std::int32_t state) {
    if (eventIid)
        session_.Event("connection " + name_ + " " + RecorderSession::PanelText(eventIid) + " " +
                       std::to_string(state));
    else
        session_.Event("note connection " + std::to_string(state) + " to " + name_ + " without an interface");
    return program_->OnPanelConnection(eventIid, state);
}

TqStatus SinkProxy::OnPanelProgress(std::int32_t first, std::int32_t value) {
    session_.Event("progress " + name_ + " " + std::to_string(first) + " " + std::to_string(value));
    return program_->OnPanelProgress(first, value);
}
