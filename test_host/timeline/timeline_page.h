// The timeline: one self-contained HTML page (inline SVG and CSS, nothing
// loaded from elsewhere) of a call record. Per session, and in it per board
// that got an output: a lane for each digital output (on or off over time)
// and a level plot for each analog output (0 ... 255), all on one time axis
// with labelled ticks, above and below. Changes closer than a pixel are
// drawn together (an output switching faster than that in a lighter
// colour), so that thousands of them stay quick to draw and readable; a
// pulse is at least a pixel wide, so none is lost.
//
// Each board is a <g class="board" data-address="A">, each lane in it a
// <g class="lane" data-kind="digital"|"analog" data-channel="N"
// data-changes="C"> holding its paths.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "test_host/timeline/call_record.h"

std::string TimelinePage(const std::vector<TRecordSession>& sessions, std::string_view recordName);

// Where the page of record goes without --out: the record's name with its
// extension replaced by .html ("calls.txt" gives "calls.html"); a record
// named .html gets a second one, so it is never overwritten.
std::string DefaultTimelinePath(const std::string& record);

// What the page shows, in short: "1 session, 3 changes of the outputs".
std::string DescribeTimeline(const std::vector<TRecordSession>& sessions);
