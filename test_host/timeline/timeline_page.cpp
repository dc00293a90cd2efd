#include "test_host/timeline/timeline_page.h"

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <utility>

#include "test_host/text/number_text.h"
#include "test_host/play/play_report.h"

namespace {

// Layout in pixels.
constexpr int LabelWidth = 150;                 // the lane names, beside the plot
constexpr int PlotLeft = 26, PlotRight = 60;    // room for the first and last tick label
constexpr int AxisHeight = 26;
constexpr int BoardHeader = 30;
constexpr int DigitalHeight = 18, BarTop = 3, BarHeight = 12;
constexpr int AnalogHeight = 56, LevelTop = 6, LevelHeight = 44;
constexpr int BoardGap = 10;
constexpr int LibraryTop = BoardHeader + DigitalLanes * DigitalHeight + 2 * AnalogHeight;
constexpr int LibraryHeight = 18;  // the lane of calls in the vendor's library, in a forwarded session
constexpr int BoardHeight = LibraryTop + BoardGap;
// A call that spends this long in the vendor's library is marked as slow.
constexpr int64_t SlowCallUs = 20000;
// The time scale: 100 pixels a second, within these widths.
constexpr double PixelsPerSecond = 100;
constexpr int MinPlotWidth = 960, MaxPlotWidth = 24000;
constexpr int MinTickSpacing = 90;
constexpr int64_t Second = 1000000;  // microseconds

constexpr char Style[] =
    "body{font:14px/1.45 'Segoe UI',Tahoma,Arial,sans-serif;margin:16px 20px;color:#222;background:#fff}\n"
    "h1{font-size:20px;margin:0 0 6px}h2{font-size:16px;margin:22px 0 4px}p{margin:4px 0}\n"
    ".chart{display:flex;align-items:flex-start;border:1px solid #bbb;margin-top:8px}\n"
    ".plot{overflow-x:auto;flex:1 1 auto}svg{display:block}\n"
    "svg text{font:12px 'Segoe UI',Tahoma,Arial,sans-serif;fill:#222}svg .head{font-weight:bold}\n"
    "svg .small{font-size:10px;fill:#666}.grid{stroke:#ddd;stroke-width:1}.axis{stroke:#888;stroke-width:1}\n"
    ".open{fill:#eef0f2}.on{fill:#d42020}.busy{fill:#f0a0a0}.level{fill:#a8cff5;stroke:#1f6fc5;stroke-width:1}\n"
    ".key{display:inline-block;width:12px;height:12px;vertical-align:-1px;margin:0 4px 0 14px;border:1px solid #999}\n"
    "span.open{background:#eef0f2}span.on{background:#d42020}span.busy{background:#f0a0a0}"
    "span.level{background:#a8cff5}\n"
    ".call{fill:#707070}.slow{fill:#e07800}span.call{background:#707070}span.slow{background:#e07800}\n";

std::string Escaped(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// A coordinate in tenths of a pixel, written with one decimal.
std::string Coordinate(int64_t tenths) {
  char text[32];
  std::snprintf(text, sizeof(text), "%" PRId64 ".%" PRId64, tenths / 10, tenths % 10);
  return text;
}

// value with leading zeros to digits digits.
std::string Padded(int64_t value, int digits) {
  char text[32];
  std::snprintf(text, sizeof(text), "%0*" PRId64, digits, value);
  return text;
}

// Milliseconds as the record writes them: "12.345".
std::string Milliseconds(int64_t us) { return std::to_string(us / 1000) + "." + Padded(us % 1000, 3); }

// The session's time on the page's x axis: from 0, the library's load,
// unless the session's first call comes well after it (a host that loads
// the library long before it opens a board, or a record file named anew
// while the library stayed loaded).
struct TScale {
  int64_t FirstUs;
  int64_t LastUs;
  int PlotWidth;
  double TenthsPerUs;

  explicit TScale(const TRecordSession& session)
      : FirstUs(session.FirstUs <= (session.LastUs - session.FirstUs) / 10 ? 0 : session.FirstUs),
        LastUs(std::max(session.LastUs, FirstUs + 1000)) {
    const double seconds = static_cast<double>(LastUs - FirstUs) / Second;
    PlotWidth = static_cast<int>(std::clamp(seconds * PixelsPerSecond, double{MinPlotWidth}, double{MaxPlotWidth}));
    TenthsPerUs = PlotWidth * 10.0 / static_cast<double>(LastUs - FirstUs);
  }
  int64_t X(int64_t us) const { return PlotLeft * 10 + std::llround(static_cast<double>(us - FirstUs) * TenthsPerUs); }
  int SvgWidth() const { return PlotLeft + PlotWidth + PlotRight; }
};

// The tick step: 1, 2 or 5 times a power of ten milliseconds, the
// smallest at least MinTickSpacing pixels apart.
int64_t TickStep(const TScale& scale) {
  for (int64_t decade = 1000;; decade *= 10)
    for (const int64_t multiple : {1, 2, 5})
      if (static_cast<double>(decade * multiple) * scale.TenthsPerUs >= MinTickSpacing * 10.0) return decade * multiple;
}

// "1.25 s", "12 s", or from two minutes on "2:30", as the step needs.
std::string TickLabel(int64_t us, int64_t step, bool minutes) {
  const int decimals = step >= Second ? 0 : step >= Second / 10 ? 1 : step >= Second / 100 ? 2 : 3;
  int64_t unit = Second;
  for (int i = 0; i < decimals; ++i) unit /= 10;
  const int64_t value = us / unit, scale = Second / unit;
  const int64_t seconds = value / scale;
  std::string fraction;
  if (decimals > 0) fraction.append(".").append(Padded(value % scale, decimals));
  if (minutes) return std::to_string(seconds / 60) + ":" + Padded(seconds % 60, 2) + fraction;
  return std::to_string(seconds) + fraction + " s";
}

// The stretches [start, end) of a lane in which keep(level) holds.
template <typename TKeep>
std::vector<std::pair<int64_t, int64_t>> Stretches(const std::vector<TLevelChange>& changes, int64_t lastUs,
                                                   TKeep keep) {
  std::vector<std::pair<int64_t, int64_t>> stretches;
  for (size_t i = 0; i < changes.size(); ++i) {
    if (!keep(changes[i].Level)) continue;
    const int64_t end = i + 1 < changes.size() ? changes[i + 1].TimeUs : lastUs;
    if (!stretches.empty() && stretches.back().second == changes[i].TimeUs) stretches.back().second = end;
    else stretches.emplace_back(changes[i].TimeUs, end);
  }
  return stretches;
}

// Rectangles over the stretches, each at least a pixel wide. Stretches that
// meet on the page are drawn as one: in solid when they were one, in busy
// when gaps too short to show lie between them (an output switching faster
// than the page can show).
struct TBars {
  std::string Solid;
  std::string Busy;
};

TBars Bars(const std::vector<std::pair<int64_t, int64_t>>& stretches, const TScale& scale, int top, int height) {
  TBars bars;
  int64_t left = -1, right = -1;
  bool merged = false;
  const auto flush = [&] {
    if (left < 0) return;
    std::string& path = merged ? bars.Busy : bars.Solid;
    path.append("M").append(Coordinate(left)).append(" ").append(std::to_string(top));
    path.append("H").append(Coordinate(right)).append("v").append(std::to_string(height));
    path.append("H").append(Coordinate(left)).append("Z");
  };
  for (const auto& [start, end] : stretches) {
    const int64_t x0 = scale.X(start), x1 = std::max(scale.X(end), x0 + 10);
    if (left >= 0 && x0 <= right) {
      right = std::max(right, x1);
      merged = true;
      continue;
    }
    flush();
    left = x0;
    right = x1;
    merged = false;
  }
  flush();
  return bars;
}

// An analog output's level over each stretch the board is open, as a
// filled step plot from the lane's base.
std::string LevelPlot(const std::vector<TLevelChange>& changes, const TScale& scale, int base) {
  const auto y = [base](int32_t level) { return static_cast<int64_t>(base) * 10 - level * LevelHeight * 10 / AnalogMax; };
  std::string path;
  const auto add = [&path](char command, int64_t tenths) {
    path += command;
    path += Coordinate(tenths);
  };
  const auto close = [&](int64_t at) {
    add('H', at);
    add('V', base * 10);
    path += 'Z';
  };
  int64_t x = -1, level = 0;  // where the plot is; x -1 while the board is closed
  for (const TLevelChange& change : changes) {
    const int64_t at = scale.X(change.TimeUs);
    if (change.Level == ClosedLevel) {
      if (x >= 0) close(at);
      x = -1;
      continue;
    }
    if (x < 0) {
      add('M', at);
      add(' ', base * 10);
    } else if (at != x) {
      add('H', at);
    }
    if (x < 0 ? change.Level != 0 : y(change.Level) != level) add('V', y(change.Level));
    x = at;
    level = y(change.Level);
  }
  if (x >= 0) close(scale.X(scale.LastUs));
  return path;
}

size_t LaneChanges(const std::vector<TLevelChange>& changes) {
  size_t count = 0;
  for (size_t i = 1; i < changes.size(); ++i)
    if (changes[i - 1].Level != ClosedLevel && changes[i].Level != ClosedLevel) ++count;
  return count;
}

std::string LaneName(int lane) {
  return lane < DigitalLanes ? "Digital " + std::to_string(lane + 1)
                             : "Analog " + std::to_string(lane - DigitalLanes + 1);
}

int LaneTop(int lane) {
  return BoardHeader + (lane < DigitalLanes ? lane * DigitalHeight
                                            : DigitalLanes * DigitalHeight + (lane - DigitalLanes) * AnalogHeight);
}

std::string Text(int x, int y, std::string_view text, const char* attributes = "") {
  return "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"" + attributes + ">" + Escaped(text) +
         "</text>";
}

// The time axis's tick labels along y, and its grid lines from top to bottom.
std::string Axis(const TScale& scale, int labelY, int top, int bottom, bool withGrid) {
  const int64_t step = TickStep(scale);
  const bool minutes = scale.LastUs >= 120 * Second;
  std::string svg;
  for (int64_t tick = (scale.FirstUs + step - 1) / step * step; tick <= scale.LastUs; tick += step) {
    const std::string x = Coordinate(scale.X(tick));
    if (withGrid)
      svg += "<path class=\"grid\" d=\"M" + x + " " + std::to_string(top) + "V" + std::to_string(bottom) + "\"/>";
    svg += "<text x=\"" + x + "\" y=\"" + std::to_string(labelY) + "\" text-anchor=\"middle\">" +
           TickLabel(tick, step, minutes) + "</text>";
  }
  return svg + "\n";
}

int BoardHeightOf(const TBoardLanes& board) { return BoardHeight + (board.LibraryCalls.empty() ? 0 : LibraryHeight); }

// The calls in the vendor's library, each as long as it took there (at
// least a pixel), those over SlowCallUs in the warning colour.
std::string LibraryLane(const TBoardLanes& board, int address, const TScale& scale) {
  std::vector<std::pair<int64_t, int64_t>> calls, slow;
  int64_t longest = 0;
  for (const TLibraryCall& call : board.LibraryCalls) {
    (call.SpentUs >= SlowCallUs ? slow : calls).emplace_back(call.TimeUs, call.TimeUs + call.SpentUs);
    longest = std::max(longest, call.SpentUs);
  }
  const TBars normal = Bars(calls, scale, LibraryTop + BarTop, BarHeight);
  const TBars marked = Bars(slow, scale, LibraryTop + BarTop - 2, BarHeight + 4);
  return "<g class=\"lane\" data-kind=\"library\" data-calls=\"" + std::to_string(board.LibraryCalls.size()) +
         "\" data-slow=\"" + std::to_string(slow.size()) + "\"><title>Card address " + std::to_string(address) +
         ", the vendor's library: " + CountOf(board.LibraryCalls.size(), "call") + ", the longest " +
         Milliseconds(longest) + " ms</title><path class=\"call\" d=\"" + normal.Solid + normal.Busy +
         "\"/><path class=\"slow\" d=\"" + marked.Solid + marked.Busy + "\"/></g>\n";
}

std::string BoardLanes(const TBoardLanes& board, int address, const TScale& scale, int top) {
  std::string svg = "<g class=\"board\" data-address=\"" + std::to_string(address) + "\" transform=\"translate(0 " +
                    std::to_string(top) + ")\">\n";
  const auto open = Stretches(board.Lanes[0], scale.LastUs, [](int32_t level) { return level != ClosedLevel; });
  svg += "<path class=\"open\" d=\"" +
         Bars(open, scale, BoardHeader, DigitalLanes * DigitalHeight + 2 * AnalogHeight).Solid + "\"/>\n";
  for (int lane = 0; lane < LaneCount; ++lane) {
    const std::vector<TLevelChange>& changes = board.Lanes[lane];
    const bool digital = lane < DigitalLanes;
    const size_t count = LaneChanges(changes);
    svg += std::string("<g class=\"lane\" data-kind=\"") + (digital ? "digital" : "analog") + "\" data-channel=\"" +
           std::to_string(digital ? lane + 1 : lane - DigitalLanes + 1) + "\" data-changes=\"" +
           std::to_string(count) + "\"><title>Card address " + std::to_string(address) + ", " + LaneName(lane) + ": " +
           CountOf(count, "change") + "</title>";
    if (digital) {
      const TBars bars = Bars(Stretches(changes, scale.LastUs, [](int32_t level) { return level == 1; }), scale,
                              LaneTop(lane) + BarTop, BarHeight);
      svg += "<path class=\"on\" d=\"" + bars.Solid + "\"/><path class=\"busy\" d=\"" + bars.Busy + "\"/>";
    } else {
      svg += "<path class=\"level\" d=\"" + LevelPlot(changes, scale, LaneTop(lane) + LevelTop + LevelHeight) + "\"/>";
    }
    svg += "</g>\n";
  }
  if (!board.LibraryCalls.empty()) svg += LibraryLane(board, address, scale);
  return svg + "</g>\n";
}

std::string AddressList(const std::vector<int>& addresses) {
  std::string list;
  for (size_t i = 0; i < addresses.size(); ++i)
    list += (i == 0 ? "" : i + 1 == addresses.size() ? " and " : ", ") + std::to_string(addresses[i]);
  return (addresses.size() == 1 ? "card address " : "card addresses ") + list;
}

// How the vendor's library kept up, in a forwarded session.
std::string LibrarySummary(const TRecordSession& session) {
  if (session.LibraryCallTimes.empty()) return "";
  int64_t busiestUs = 0;
  const size_t busiest = BusiestSecond(session, busiestUs);
  return "<p class=\"library\">The vendor's library took " + CountOf(session.LibraryCallTimes.size(), "call") +
         ". The slowest, " + Escaped(session.Slowest.Call) + " at " + Milliseconds(session.Slowest.Time.TimeUs) +
         " ms (line " + std::to_string(session.Slowest.Line) + "), spent " +
         Milliseconds(session.Slowest.Time.SpentUs) + " ms in it; at the busiest moment, the second from " +
         Milliseconds(busiestUs) + " ms on, it got " + CountOf(busiest, "call") + ".</p>\n";
}

std::string Session(const TRecordSession& session, size_t number, size_t count) {
  std::vector<int> shown, quiet;
  size_t changes = 0;
  for (int address = 0; address < CardAddressCount; ++address) {
    const TBoardLanes& board = session.Boards[address];
    if (board.GotOutput) shown.push_back(address);
    else if (board.Opened) quiet.push_back(address);
    changes += board.Changes;
  }
  std::string html = "<section class=\"session\">\n<h2>Session";
  if (count > 1) html += " " + std::to_string(number) + " of " + std::to_string(count);
  if (!session.Started.empty()) html += ", started " + Escaped(session.Started);
  if (!session.Process.empty()) html += ", process " + Escaped(session.Process);
  html += "</h2>\n<p>" + CountOf(session.Calls, "call") + " over " +
          Seconds((session.LastUs - session.FirstUs) / 1000) + " (times " + Milliseconds(session.FirstUs) + " to " +
          Milliseconds(session.LastUs) + " ms, lines " + std::to_string(session.FirstLine) + " to " +
          std::to_string(session.LastLine) + " of the record)";
  html += shown.empty() ? ". No output call reached a board."
                        : ": " + CountOf(changes, "change") + " of the outputs of " + AddressList(shown) + ".";
  if (!quiet.empty()) html += " OpenDevice also named " + AddressList(quiet) + ", which got no output.";
  html += "</p>\n" + LibrarySummary(session);
  if (shown.empty()) return html + "</section>\n";

  const TScale scale(session);
  int height = 2 * AxisHeight;
  for (const int address : shown) height += BoardHeightOf(session.Boards[address]);
  std::string labels = "<svg class=\"labels\" width=\"" + std::to_string(LabelWidth) + "\" height=\"" +
                       std::to_string(height) + "\">\n";
  std::string plot = "<svg class=\"lanes\" width=\"" + std::to_string(scale.SvgWidth()) + "\" height=\"" +
                     std::to_string(height) + "\">\n";
  plot += Axis(scale, AxisHeight - 8, AxisHeight, height - AxisHeight, true);
  int top = AxisHeight;
  for (size_t i = 0; i < shown.size(); top += BoardHeightOf(session.Boards[shown[i]]), ++i) {
    labels += Text(8, top + 20, "Card address " + std::to_string(shown[i]), " class=\"head\"");
    for (int lane = 0; lane < LaneCount; ++lane) {
      const int laneTop = top + LaneTop(lane);
      if (lane < DigitalLanes) {
        labels += Text(8, laneTop + 13, LaneName(lane));
      } else {
        labels += Text(8, laneTop + LevelTop + LevelHeight / 2 + 4, LaneName(lane));
        labels += Text(LabelWidth - 6, laneTop + LevelTop + 8, "255", " class=\"small\" text-anchor=\"end\"");
        labels += Text(LabelWidth - 6, laneTop + LevelTop + LevelHeight, "0", " class=\"small\" text-anchor=\"end\"");
      }
    }
    if (!session.Boards[shown[i]].LibraryCalls.empty()) labels += Text(8, top + LibraryTop + 13, "Library");
    labels += "\n";
    plot += BoardLanes(session.Boards[shown[i]], shown[i], scale, top);
  }
  plot += "<path class=\"axis\" d=\"M" + std::to_string(PlotLeft) + " " + std::to_string(AxisHeight) + "H" +
          std::to_string(PlotLeft + scale.PlotWidth) + "M" + std::to_string(PlotLeft) + " " +
          std::to_string(height - AxisHeight) + "H" + std::to_string(PlotLeft + scale.PlotWidth) + "\"/>\n";
  plot += Axis(scale, height - 8, 0, 0, false);
  return html + "<div class=\"chart\">\n" + labels + "</svg>\n<div class=\"plot\">\n" + plot +
         "</svg>\n</div>\n</div>\n</section>\n";
}

}  // namespace

std::string TimelinePage(const std::vector<TRecordSession>& sessions, std::string_view recordName) {
  const std::string name = Escaped(recordName);
  bool forwarded = false;
  for (const TRecordSession& session : sessions) forwarded = forwarded || !session.LibraryCallTimes.empty();
  std::string html = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Timeline of " +
                     name + "</title>\n<style>\n" + Style + "</style>\n</head>\n<body>\n<h1>Timeline of " + name +
                     "</h1>\n<p>What the host application sent to the virtual board" +
                     (forwarded ? ", which passed it on to the vendor's library" : "") +
                     ", from its call record; times in seconds since the board library was loaded.</p>\n<p>"
                     "<span class=\"key open\"></span>board open<span class=\"key on\"></span>digital output on"
                     "<span class=\"key busy\"></span>switching faster than shown"
                     "<span class=\"key level\"></span>analog output's level, 0 ... 255";
  if (forwarded)
    html += "<span class=\"key call\"></span>time a call spent in the vendor's library"
            "<span class=\"key slow\"></span>a call of " + std::to_string(SlowCallUs / 1000) + " ms or more";
  html += "</p>\n";
  for (size_t i = 0; i < sessions.size(); ++i) html += Session(sessions[i], i + 1, sessions.size());
  return html + "</body>\n</html>\n";
}

std::string DefaultTimelinePath(const std::string& record) {
  const size_t name = record.find_last_of("\\/:") + 1;  // 0 when there is no folder
  const size_t dot = record.rfind('.');
  const std::string stem = dot != std::string::npos && dot > name ? record.substr(0, dot) : record;
  return stem + ".html" == record ? record + ".html" : stem + ".html";
}

std::string DescribeTimeline(const std::vector<TRecordSession>& sessions) {
  size_t changes = 0;
  for (const TRecordSession& session : sessions)
    for (const TBoardLanes& board : session.Boards) changes += board.Changes;
  return CountOf(sessions.size(), "session") + ", " + CountOf(changes, "change") + " of the outputs";
}
