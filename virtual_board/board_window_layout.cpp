#include "virtual_board/board_window_layout.h"

#include <cstdio>
#include <string_view>

#include "virtual_board/board_settings_win32.h"
#include "virtual_board/wrapped_lines.h"

namespace {

constexpr char WidestLevel[] = "255";
constexpr char UnplugCaption[] = "Unplug";
constexpr char PlugInCaption[] = "Plug in";

int Max(int a, int b) { return a > b ? a : b; }

int TextWidth(HDC dc, const char* text) {
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  return size.cx;
}

RECT Box(int left, int top, int width, int height) { return RECT{left, top, left + width, top + height}; }

// How much of a text fits a width in a DC's font, for WrapLines.
struct TMeasure {
  HDC Dc;
  int Width;
};

size_t FittingUnits(std::u16string_view text, void* context) {
  const auto& measure = *static_cast<const TMeasure*>(context);
  INT fit = 0;
  SIZE size{0, 0};
  if (!GetTextExtentExPointW(measure.Dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
                             measure.Width, &fit, nullptr, &size))
    return text.size();  // unmeasured: one line, rather than none
  return static_cast<size_t>(fit);
}

// The lines of text wrapped to width in dc's font, at most max.
int WrapText(HDC dc, const wchar_t* text, int width, TLineSpan* spans, int max) {
  TMeasure measure{dc, width};
  return static_cast<int>(
      WrapLines(std::u16string_view(reinterpret_cast<const char16_t*>(text)), FittingUnits, &measure, spans, max));
}

// Sizes and spacing, from the texts measured in dc (the font selected).
// At 96 DPI (a line of 13 pixels): a margin of 16, lamps of 22 with 13
// between them, bars of 14, a button 23 high.
struct TMeasures {
  int Line, Margin, Gap;
  int TitleWidth, NameWidth, DigitWidth, LevelWidth;
  int LampSize, LampGap, BarWidth, Width;
  int ButtonWidth = 0, ButtonHeight = 0, StatusLines = 0;  // a pluggable board's

  TMeasures(HDC dc, bool pluggable) {
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    Line = Max(static_cast<int>(metrics.tmHeight), 1);
    TitleWidth = NameWidth = DigitWidth = 0;
    for (int address = 0; address < CardAddressCount; ++address) {
      char title[32];
      BoardTitle(address, title);
      TitleWidth = Max(TitleWidth, TextWidth(dc, title));
    }
    for (int bar = 0; bar < BoardBars; ++bar) {
      char name[16];
      BarName(bar, name);
      NameWidth = Max(NameWidth, TextWidth(dc, name));
    }
    for (char digit = '1'; digit < '1' + BoardLamps; ++digit) {
      const char number[2] = {digit, 0};
      DigitWidth = Max(DigitWidth, TextWidth(dc, number));
    }
    LevelWidth = TextWidth(dc, WidestLevel);
    Margin = Line + Line / 4;
    Gap = Line * 3 / 4;
    LampSize = Max(Line * 17 / 10, DigitWidth + 4);
    LampGap = Line;
    const int lampRowWidth = BoardLamps * LampSize + (BoardLamps - 1) * LampGap;
    BarWidth = Max(lampRowWidth - NameWidth - LevelWidth - 2 * Gap, 4 * Line);
    Width = Max(Max(lampRowWidth, NameWidth + LevelWidth + BarWidth + 2 * Gap), TitleWidth);
    if (!pluggable) return;
    ButtonWidth = Max(TextWidth(dc, UnplugCaption), TextWidth(dc, PlugInCaption)) + 2 * Line;
    ButtonHeight = Line * 7 / 4;
    Width = Max(Width, TitleWidth + Gap + ButtonWidth);
    for (const TPlugStatus status : PlugStatuses) {
      wchar_t text[SettingsTextSize];
      WideText(PlugStatusText(status), text, SettingsTextSize);
      TLineSpan spans[MaxStatusLines];
      StatusLines = Max(StatusLines, WrapText(dc, text, Width, spans, MaxStatusLines));
    }
  }
  // The title's row: as high as the button beside it, if any.
  int TitleRowHeight() const { return Max(Line, ButtonHeight); }
};

// Places the lamps and the bars from top down, and sizes the client area
// to hold them.
void PlaceLampsAndBars(const TMeasures& m, int top, TBoardLayout& layout) {
  for (int n = 0; n < BoardLamps; ++n) {
    const int left = m.Margin + n * (m.LampSize + m.LampGap);
    layout.Lamps[n] = Box(left, top, m.LampSize, m.LampSize);
    layout.LampLabels[n] = Box(left + (m.LampSize - m.DigitWidth) / 2, top + m.LampSize + 2, m.DigitWidth, m.Line);
  }
  top = layout.LampLabels[0].bottom + m.Gap;
  for (int bar = 0; bar < BoardBars; ++bar) {
    layout.BarNames[bar] = Box(m.Margin, top, m.NameWidth, m.Line);
    // The outline takes a pixel around the inside.
    layout.Bars[bar] = Box(m.Margin + m.NameWidth + m.Gap + 1, top + 1, m.BarWidth - 2, m.Line - 2);
    layout.Levels[bar] = Box(m.Margin + m.Width - m.LevelWidth, top, m.LevelWidth, m.Line);
    top += m.Line + m.Line * 2 / 3;
  }
  top -= m.Line * 2 / 3;
  if (layout.Pluggable) {
    layout.StatusArea = Box(m.Margin, top + m.Gap, m.Width, m.StatusLines * m.Line);
    top = layout.StatusArea.bottom;
  }
  layout.Client = SIZE{2 * m.Margin + m.Width, top + m.Gap};
}

// The problems' lines below the title, with a third of a line between two
// problems: as many as leave the client area within maxClientHeight (one at
// least). When lines are left out, the last line shown ends in
// ProblemsCutMark, so it is broken again to leave room for the mark. Moves
// the lamps and bars of layout, laid out without problems, down below them.
void PlaceProblems(HDC dc, const TMeasures& m, int maxClientHeight, TBoardLayout& layout) {
  const std::u16string_view text(reinterpret_cast<const char16_t*>(layout.Problems));
  TLineSpan spans[MaxProblemLines];
  TMeasure measure{dc, m.Width};
  const int total = WrapText(dc, layout.Problems, m.Width, spans, MaxProblemLines);
  if (total == 0) return;
  const int belowLamps = layout.Client.cy - layout.Lamps[0].top;
  const int lastBottom = maxClientHeight - belowLamps - m.Gap;
  int top = m.Gap + m.TitleRowHeight() + m.Gap / 2, shown = 0;
  for (; shown < total && shown < MaxProblemLines; ++shown) {
    const size_t start = spans[shown].Start;
    const int next = shown > 0 && start > 0 && text[start - 1] == u'\n' ? top + m.Line / 3 : top;
    if (shown > 0 && next + m.Line > lastBottom) break;
    layout.ProblemLines[shown] =
        TProblemLine{Box(m.Margin, next, m.Width, m.Line), static_cast<int>(start), static_cast<int>(spans[shown].Length)};
    top = next + m.Line;
  }
  layout.ProblemLineCount = shown;
  layout.ProblemsCut = shown < total;
  if (layout.ProblemsCut) {
    SIZE mark{0, 0};
    GetTextExtentPoint32W(dc, ProblemsCutMark, lstrlenW(ProblemsCutMark), &mark);
    TProblemLine& last = layout.ProblemLines[shown - 1];
    measure.Width = m.Width - mark.cx;
    TLineSpan first{0, 0};
    WrapLines(std::u16string_view(text.data() + last.Start, last.Length), FittingUnits, &measure, &first, 1);
    last.Length = static_cast<int>(first.Length);
  }
  PlaceLampsAndBars(m, top + m.Gap, layout);
}

// The current status's lines in the status area, for dc, which has the
// font selected.
void PlaceStatus(HDC dc, TPlugStatus status, TBoardLayout& layout) {
  WideText(PlugStatusText(status), layout.Status, SettingsTextSize);
  const RECT& area = layout.StatusArea;
  TLineSpan spans[MaxStatusLines];
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  const int height = Max(static_cast<int>(metrics.tmHeight), 1);
  const int count = WrapText(dc, layout.Status, area.right - area.left, spans, MaxStatusLines);
  layout.StatusLineCount = 0;
  for (int i = 0; i < count && area.top + (i + 1) * height <= area.bottom; ++i, ++layout.StatusLineCount)
    layout.StatusLines[i] = TProblemLine{Box(area.left, area.top + i * height, area.right - area.left, height),
                                         static_cast<int>(spans[i].Start), static_cast<int>(spans[i].Length)};
}

// The layout for dc, which has the font selected.
void LayOutFor(HDC dc, const char* problems, bool pluggable, int maxClientHeight, TBoardLayout& layout,
               TPlugStatus status) {
  const TMeasures m(dc, pluggable);
  layout = TBoardLayout{};
  layout.Pluggable = pluggable;
  const int row = m.TitleRowHeight();
  layout.Title = Box(m.Margin, m.Gap + (row - m.Line) / 2, m.TitleWidth, m.Line);
  if (pluggable) layout.PlugButton = Box(m.Margin + m.Width - m.ButtonWidth, m.Gap, m.ButtonWidth, m.ButtonHeight);
  PlaceLampsAndBars(m, m.Gap + row + m.Gap, layout);
  WideText(problems != nullptr ? problems : "", layout.Problems, SettingsTextSize);
  PlaceProblems(dc, m, maxClientHeight, layout);
  if (pluggable) PlaceStatus(dc, status, layout);
}

}  // namespace

HFONT BoardFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void BoardTitle(int address, char (&text)[32]) { std::snprintf(text, sizeof(text), "Card address %d", address); }

void BarName(int bar, char (&text)[16]) { std::snprintf(text, sizeof(text), "Analog %d", bar + 1); }

void LayOutBoard(const char* problems, bool pluggable, int maxClientHeight, TBoardLayout& layout, HFONT font,
                 TPlugStatus status) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  LayOutFor(dc, problems, pluggable, maxClientHeight, layout, status);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
}

void LayOutPlugStatus(TPlugStatus status, TBoardLayout& layout, HFONT font) {
  if (!layout.Pluggable) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  PlaceStatus(dc, status, layout);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
}

TPlugStatus PlugStatusOf(bool pulledOut, bool dropped, bool connectionLost) {
  if (pulledOut) return dropped ? TPlugStatus::PulledOutDropped : TPlugStatus::PulledOut;
  if (dropped) return TPlugStatus::BackDropped;
  return connectionLost ? TPlugStatus::BackLost : TPlugStatus::PluggedIn;
}

const char* PlugStatusText(TPlugStatus status) {
  // By TPlugStatus, None first.
  static constexpr const char* Texts[] = {
      "",
      "Plugged in.",
      "Unplugged, still held by the driver: dropped at its next command.",
      "Unplugged and dropped: gets nothing until the program opens it again.",
      "Plugged in again, its connection gone: dropped at its next command.",
      "Plugged in again, but dropped: gets nothing until the program opens it again.",
  };
  return Texts[static_cast<int>(status)];
}

const char* PlugButtonText(TPlugStatus status) {
  if (status == TPlugStatus::None) return "";
  return status == TPlugStatus::PulledOut || status == TPlugStatus::PulledOutDropped ? PlugInCaption : UnplugCaption;
}

bool IsPlugWarning(TPlugStatus status) { return status != TPlugStatus::None && status != TPlugStatus::PluggedIn; }
