#include "panels/ServiceReport.h"

#include <algorithm>
#include <cstdio>

namespace {
const char* KindName(CheckKind kind) {
    switch (kind) {
    case CheckKind::Key:
        return "key";
    case CheckKind::Fader:
        return "fader";
    case CheckKind::Steps:
        return "steps";
    case CheckKind::Direction:
        return "direction";
    }
    return "";
}

// Faults first, then what is half done, then what was never tried: the order
// in which an engineer reads what is wrong with a unit.
int FailureRank(CheckState state) {
    if (IsFault(state)) return 0;
    return state == CheckState::Partly ? 1 : 2;
}

struct Failure {
    std::string name;
    CheckState state;
    std::string why;  // the note, or the counts
};

std::vector<Failure> FailuresOf(const PanelCheck& check) {
    std::vector<Failure> out;
    for (const ControlResult& r : check.Controls())
        if (r.State() != CheckState::Checked) out.push_back({r.control.name, r.State(), r.failed ? r.note : CountsText(r)});
    for (const AutomaticResult& r : check.Results())
        if (r.state != CheckState::Checked) out.push_back({r.name, r.state, r.detail});
    std::stable_sort(out.begin(), out.end(),
                     [](const Failure& a, const Failure& b) { return FailureRank(a.state) < FailureRank(b.state); });
    return out;
}

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out += escaped;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string Html(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Bool(bool v) { return v ? "true" : "false"; }

std::string ControlJson(const ControlResult& r) {
    std::string out = "{\"name\": " + Json(r.control.name) + ", \"kind\": \"" + KindName(r.control.kind) +
                      "\", \"state\": \"" + CheckStateName(r.State()) + "\", \"counts\": " + Json(CountsText(r));
    switch (r.control.kind) {
    case CheckKind::Key:
        out += ", \"presses\": " + std::to_string(r.presses) + ", \"releases\": " + std::to_string(r.releases);
        break;
    case CheckKind::Fader:
        out += ", \"lowEnd\": " + Bool(r.lowEnd) + ", \"highEnd\": " + Bool(r.highEnd) +
               ", \"sixteenths\": " + std::to_string(r.SixteenthsSeen());
        break;
    case CheckKind::Steps:
    case CheckKind::Direction:
        out += ", \"plus\": " + std::to_string(r.plus) + ", \"minus\": " + std::to_string(r.minus);
        break;
    }
    return out + ", \"note\": " + Json(r.note) + "}";
}

template <class T, class F>
std::string JsonList(const std::vector<T>& items, const std::string& indent, F each) {
    if (items.empty()) return "[]";
    std::string out = "[\n";
    for (size_t i = 0; i < items.size(); ++i) out += indent + "  " + each(items[i]) + (i + 1 < items.size() ? ",\n" : "\n");
    return out + indent + "]";
}

const char* Verdict(const PanelCheck& check) { return check.Passed() ? "PASS" : "FAIL"; }
}  // namespace

namespace {
std::string MotorJson(const MotorFaderResult& m) {
    return std::string("{\"result\": \"") + MotorFaultName(m.fault) + "\", \"worstError\": " +
           std::to_string(m.worstError) + ", \"slowestSettleMs\": " +
           (m.slowestSettleMs < 0 ? std::string("null") : std::to_string(m.slowestSettleMs)) + "}";
}
}  // namespace

std::string ServiceReportJson(CheckSession& session, const ReportHeader& h, const std::vector<int>& panels) {
    std::string out = "{\n";
    out += "  \"schema\": \"velpanel-service-report\",\n";
    out += "  \"schemaVersion\": " + std::to_string(kServiceReportSchemaVersion) + ",\n";
    out += "  \"tool\": {\"name\": \"VelPanel\", \"version\": " + Json(h.toolVersion) + "},\n";
    out += "  \"pc\": " + Json(h.pcName) + ",\n";
    out += "  \"operator\": " + Json(h.operatorName) + ",\n";
    out += "  \"ticket\": " + Json(h.ticket) + ",\n";
    out += "  \"created\": {\"utc\": " + Json(h.utc) + ", \"local\": " + Json(h.local) + "},\n";
    out += "  \"panels\": " + JsonList(panels, "  ", [&](int panel) {
        const PanelCheck& check = session.CheckOf(panel);
        std::string p = "{\n";
        p += "      \"panel\": " + Json(PanelTypeName(panel)) + ",\n";
        p += "      \"firmware\": " + Json(session.Firmware(panel)) + ",\n";
        p += "      \"driver\": " + Json(session.Driver(panel)) + ",\n";
        p += "      \"verdict\": \"" + std::string(Verdict(check)) + "\",\n";
        p += "      \"checked\": " + std::to_string(check.CheckedCount()) + ",\n";
        p += "      \"total\": " + std::to_string(check.RowCount()) + ",\n";
        p += "      \"failures\": " + JsonList(FailuresOf(check), "      ", [](const Failure& f) {
                 return "{\"name\": " + Json(f.name) + ", \"state\": \"" + CheckStateName(f.state) + "\"}";
             }) + ",\n";
        p += "      \"controls\": " + JsonList(check.Controls(), "      ", ControlJson) + ",\n";
        p += "      \"automaticChecks\": " + JsonList(check.Results(), "      ", [](const AutomaticResult& r) {
                 return "{\"name\": " + Json(r.name) + ", \"state\": \"" + CheckStateName(r.state) +
                        "\", \"detail\": " + Json(r.detail) + (r.motor ? ", \"motor\": " + MotorJson(*r.motor) : "") + "}";
             });
        if (check.MotorCheckMs() >= 0) p += ",\n      \"motorCheckMs\": " + std::to_string(check.MotorCheckMs());
        p += "\n";
        return p + "    }";
    }) + ",\n";
    out += "  \"downloads\": " + JsonList(session.Downloads(), "  ", [](const DownloadRecord& d) {
        return "{\"panel\": " + Json(PanelTypeName(d.panel)) + ", \"file\": " + Json(d.file) +
               ", \"size\": " + std::to_string(d.size) + ", \"sha256\": " + Json(d.sha256) +
               ", \"result\": " + Json(d.result) + ", \"before\": {\"firmware\": " + Json(d.firmwareBefore) +
               ", \"driver\": " + Json(d.driverBefore) + "}, \"after\": {\"firmware\": " + Json(d.firmwareAfter) +
               ", \"driver\": " + Json(d.driverAfter) + "}}";
    }) + "\n";
    return out + "}\n";
}

namespace {
// Print first: A4 with room for a binder's holes, black on white, tables that
// do not split a row across pages, a body no wider than A4 less the margins.
// No fonts, scripts or pictures from outside.
const char kStyle[] = R"(<style>
@page { size: A4; margin: 15mm 15mm 15mm 20mm; }
body { font-family: Arial, "Liberation Sans", Helvetica, sans-serif; font-size: 10pt; color: #000; margin: 0 auto; max-width: 175mm; }
@media screen { body { margin: 8mm auto; } }
h1 { font-size: 16pt; margin: 0 0 4mm; }
h2 { font-size: 13pt; margin: 8mm 0 2mm; border-bottom: 1px solid #000; page-break-after: avoid; }
h3 { font-size: 11pt; margin: 4mm 0 1mm; page-break-after: avoid; }
table { border-collapse: collapse; width: 100%; margin-bottom: 3mm; }
th, td { border: 1px solid #888; padding: 1mm 2mm; text-align: left; vertical-align: top; }
th { background: #e8e8e8; }
tr { page-break-inside: avoid; }
table.meta th { width: 35mm; }
.verdict { font-size: 14pt; font-weight: bold; padding: 2mm 3mm; border: 2px solid #000; display: inline-block; }
.PASS { background: #d8f0d8; }
.FAIL { background: #f6d6d6; }
.fault { font-weight: bold; color: #a00000; }
.checked { color: #006000; }
.mono { font-family: "Courier New", "Liberation Mono", monospace; font-size: 8pt; word-break: break-all; }
@media print { .verdict.PASS, .verdict.FAIL, th { -webkit-print-color-adjust: exact; print-color-adjust: exact; } }
</style>)";

std::string StateCell(CheckState state) {
    const char* cls = IsFault(state) ? "fault" : state == CheckState::Checked ? "checked" : "";
    return std::string("<td class=\"") + cls + "\">" + CheckStateName(state) + "</td>";
}

// The motor check's figures, one fader a row: what was commanded is not
// evidence, so every figure comes from the positions the panel reported.
std::string MotorTable(const PanelCheck& check) {
    std::string rows;
    for (const AutomaticResult& r : check.Results()) {
        if (!r.motor) continue;
        const MotorFaderResult& m = *r.motor;
        rows += "<tr><td>" + Html(r.name) + "</td>" + StateCell(r.state) + "<td>" + MotorFaultName(m.fault) +
                "</td><td>" + std::to_string(m.worstError) + "</td><td>" +
                (m.slowestSettleMs < 0 ? std::string("never") : std::to_string(m.slowestSettleMs) + " ms") + "</td></tr>\n";
    }
    if (rows.empty()) return {};
    std::string out = "<table>\n<tr><th>Motor</th><th>State</th><th>Result</th><th>Worst error</th><th>Slowest settle</th></tr>\n";
    out += rows + "</table>\n";
    if (check.MotorCheckMs() >= 0) {
        char took[48];
        std::snprintf(took, sizeof took, "<p>Motor check: %.1f s.</p>\n", static_cast<double>(check.MotorCheckMs()) / 1000.0);
        out += took;
    }
    return out;
}

std::string Row(std::initializer_list<std::string> cells) {
    std::string out = "<tr>";
    for (const std::string& c : cells) out += "<td>" + c + "</td>";
    return out + "</tr>\n";
}
}  // namespace

std::string ServiceReportHtml(CheckSession& session, const ReportHeader& h, const std::vector<int>& panels) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>VelPanel Service Report";
    if (!h.ticket.empty()) out += " " + Html(h.ticket);
    out += "</title>\n" + std::string(kStyle) + "\n</head>\n<body>\n<h1>VelPanel Service Report</h1>\n";
    out += "<table class=\"meta\">\n";
    out += "<tr><th>Ticket</th><td>" + Html(h.ticket) + "</td></tr>\n";
    out += "<tr><th>Operator</th><td>" + Html(h.operatorName) + "</td></tr>\n";
    out += "<tr><th>Date and time</th><td>" + Html(h.local) + " (" + Html(h.utc) + ")</td></tr>\n";
    out += "<tr><th>PC</th><td>" + Html(h.pcName) + "</td></tr>\n";
    out += "<tr><th>Tool</th><td>VelPanel " + Html(h.toolVersion) + "</td></tr>\n</table>\n";

    for (int panel : panels) {
        const PanelCheck& check = session.CheckOf(panel);
        out += "<h2>" + Html(PanelTypeName(panel)) + " panel</h2>\n";
        out += "<p>FLASH firmware " + Html(session.Firmware(panel)) + ", driver " + Html(session.Driver(panel)) + "</p>\n";
        out += std::string("<p><span class=\"verdict ") + Verdict(check) + "\">" + Verdict(check) + "</span> &nbsp; " +
               std::to_string(check.CheckedCount()) + " of " + std::to_string(check.RowCount()) + " checked</p>\n";
        const std::vector<Failure> failures = FailuresOf(check);
        if (!failures.empty()) {
            out += "<h3>Failures</h3>\n<table>\n<tr><th>Control</th><th>State</th><th>Why</th></tr>\n";
            for (const Failure& f : failures)
                out += "<tr><td>" + Html(f.name) + "</td>" + StateCell(f.state) + "<td>" + Html(f.why) + "</td></tr>\n";
            out += "</table>\n";
        }
        out += "<h3>Controls</h3>\n<table>\n<tr><th>Control</th><th>State</th><th>Counts</th><th>Note</th></tr>\n";
        for (const ControlResult& r : check.Controls())
            out += "<tr><td>" + Html(r.control.name) + "</td>" + StateCell(r.State()) + "<td>" + Html(CountsText(r)) +
                   "</td><td>" + Html(r.note) + "</td></tr>\n";
        out += "</table>\n<h3>Automatic checks</h3>\n";
        if (check.Results().empty()) {
            out += "<p>None run.</p>\n";
        } else {
            out += MotorTable(check);
            std::string rows;
            for (const AutomaticResult& r : check.Results())
                if (!r.motor) rows += "<tr><td>" + Html(r.name) + "</td>" + StateCell(r.state) + "<td>" + Html(r.detail) + "</td></tr>\n";
            if (!rows.empty()) out += "<table>\n<tr><th>Check</th><th>State</th><th>Detail</th></tr>\n" + rows + "</table>\n";
        }
    }

    out += "<h2>Firmware downloads</h2>\n";
    if (session.Downloads().empty()) {
        out += "<p>None in this session.</p>\n";
    } else {
        out += "<table>\n<tr><th>Panel</th><th>File</th><th>Size</th><th>Result</th><th>Before</th><th>After</th></tr>\n";
        for (const DownloadRecord& d : session.Downloads()) {
            out += Row({Html(PanelTypeName(d.panel)),
                        Html(d.file) + "<br><span class=\"mono\">SHA-256 " + Html(d.sha256) + "</span>",
                        std::to_string(d.size) + " bytes", Html(d.result),
                        Html(d.firmwareBefore) + "<br>" + Html(d.driverBefore),
                        Html(d.firmwareAfter) + "<br>" + Html(d.driverAfter)});
        }
        out += "</table>\n";
    }
    return out + "</body>\n</html>\n";
}
