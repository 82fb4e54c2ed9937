#pragma once
// The control's numeric codes: graph types and styles, the 16-colour
// palette, legend positions, line patterns, symbols, map formats and drawing
// modes. docs/plotengine.md lists them for page authors.
#include <cstdint>

namespace korva::plot {

// GraphType and OverlayGraphType.
inline constexpr int kGraphNone = 0;
inline constexpr int kGraphPie = 1;
inline constexpr int kGraphPie3D = 2; // drawn as a flat pie
inline constexpr int kGraphBar = 3;
inline constexpr int kGraphBar3D = 4; // drawn as flat bars
inline constexpr int kGraphHorizontalBar = 5;
inline constexpr int kGraphLine = 6;
inline constexpr int kGraphLogLine = 7;
inline constexpr int kGraphArea = 8;
inline constexpr int kGraphScatter = 9;
inline constexpr int kGraphTypeLast = 9;

// GraphStyle: for bars 0 side by side, 1 stacked, 2 stacked to 100 %;
// for areas 0 stacked, 1 each from zero, 2 stacked to 100 %; for lines and
// scatter the bit kStyleSymbols adds point symbols, kStyleNoLines (line)
// leaves the lines out, kStyleLines (scatter) joins the points.
inline constexpr int kStyleSymbols = 1;
inline constexpr int kStyleNoLines = 2;
inline constexpr int kStyleLines = 2;
inline constexpr int kStyleStacked = 1;
inline constexpr int kStylePercent = 2;

// Palette: the 16 classic colours; Color, Background, Foreground and
// OverlayColor take their indices.
inline constexpr int kPaletteSize = 16;
inline constexpr int kColorBlack = 0;
inline constexpr int kColorBlue = 1;
inline constexpr int kColorRed = 4;
inline constexpr int kColorLightGray = 7;
inline constexpr int kColorLightRed = 12;
inline constexpr int kColorWhite = 15;
inline constexpr uint32_t kPaletteRgb[kPaletteSize] = {
    0x000000, 0x0000C0, 0x00A000, 0x00A0A0, 0xC00000, 0xA000A0, 0x905000, 0xC0C0C0,
    0x808080, 0x3060FF, 0x30E030, 0x30E0E0, 0xFF4040, 0xFF40FF, 0xF0E000, 0xFFFFFF};
// Colour of set s when Color(s) was never written: strong colours first,
// never white or grey (they vanish on the default background).
int DefaultSetColor(int set);

// LegendPos: 0 no legend; the legend is also left out when every legend
// text is empty.
inline constexpr int kLegendHidden = 0;
inline constexpr int kLegendLeft = 1;
inline constexpr int kLegendTop = 2;
inline constexpr int kLegendBottom = 3;
inline constexpr int kLegendRight = 4;
inline constexpr int kLegendBottomAlt = 5;
inline constexpr int kLegendRightAlt = 6;
inline constexpr int kLegendPosLast = 6;

// Pattern of a line set: 0 solid, 1 dash, 2 dot, 3 dash dot, 4 dash dot dot;
// of a bar, area or pie slice: 0 solid, 1 to 6 hatched (horizontal,
// vertical, both, forward diagonal, backward diagonal, crossed diagonal).
// GridLineStyle takes the line codes.
inline constexpr int kPatternCount = 7;

// Symbol: 0 circle, 1 square, 2 triangle, 3 star, 4 pentagon, 5 diamond.
inline constexpr int kSymbolCount = 6;

// GridStyle: 1 horizontal lines, 2 vertical lines, 3 both.
inline constexpr int kGridHorizontal = 1;
inline constexpr int kGridVertical = 2;

// Axis style (XAxisStyle, YAxisStyle per YAxisUse): 0 automatic range,
// 1 automatic range from zero, 2 fixed range from the axis minimum and maximum.
inline constexpr int kAxisAutomatic = 0;
inline constexpr int kAxisFromZero = 1;
inline constexpr int kAxisFixed = 2;

// OverlayGraph: 0 no overlay group, 1 drawn on the left axis, 2 on a right axis.
inline constexpr int kOverlayLeft = 1;
inline constexpr int kOverlayRight = 2;

// LabelXType: 0 X labels from Label (else point numbers or X positions),
// 1 dates, 3 dates with time; 2 always numbers.
inline constexpr int kXLabelNumbers = 2;
inline constexpr int kXLabelDate = 1;
inline constexpr int kXLabelDateTime = 3;

// MapFormat: 0 area elements only, 1 a complete client-side <map> element,
// 2 an NCSA server-side map file.
inline constexpr int kMapAreas = 0;
inline constexpr int kMapClient = 1;
inline constexpr int kMapNcsa = 2;

// Background slots (BackgroundUse) and foreground slots (ForegroundUse).
inline constexpr int kBackgroundChart = 0;
inline constexpr int kBackgroundPlot = 1;
inline constexpr int kBackgroundLegend = 2;
inline constexpr int kForegroundText = 0;
inline constexpr int kForegroundGrid = 1;

// Font slots of FName, FSize, FStyle (FStyle bits: 1 bold, 2 italic, 4 underline).
inline constexpr int kFontSlots = 4;
inline constexpr int kFontTitle = 0;
inline constexpr int kFontOtherTitles = 1;
inline constexpr int kFontLabels = 2;
inline constexpr int kFontLegend = 3;
inline constexpr const char* kDefaultFontName = "DejaVu Sans";
int DefaultFontSize(int slot);

// DrawMode.
inline constexpr int kDrawClear = 1;
inline constexpr int kDrawRedraw = 2;
inline constexpr int kDrawHold = 3;
inline constexpr int kDrawWriteImage = 6;
inline constexpr int kDrawSaveSettings = 7;
inline constexpr int kDrawLoadSettings = 9;
inline constexpr int kDrawUserRedraw = 10;
inline constexpr int kDrawWriteImageFile = 11;
inline constexpr int kDrawWriteMap = 12;

} // namespace korva::plot
