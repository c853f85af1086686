// The service report of a run's Panel Checks, as text: a self-contained HTML
// page that prints on A4 and a JSON file with the same content for the
// office's tools (README.md describes the JSON). Window-free: the caller says
// who, where and when, and writes the files.
#pragma once

#include <string>
#include <vector>

#include "panels/CheckSession.h"

constexpr int kServiceReportSchemaVersion = 1;

struct ReportHeader {
    std::string toolVersion;
    std::string pcName;
    std::string operatorName;
    std::string ticket;
    std::string utc;    // "2026-12-08T09:15:02Z"
    std::string local;  // "2026-12-08 10:15:02 UTC+01:00"
};

// panels: the PanelIndex values to report, in order; a panel without a check
// is reported with every control untested.
std::string ServiceReportJson(CheckSession& session, const ReportHeader& header, const std::vector<int>& panels);
std::string ServiceReportHtml(CheckSession& session, const ReportHeader& header, const std::vector<int>& panels);
