// DrawTextW: prefix marks, line breaks and word wrapping, end ellipsis,
// horizontal and vertical alignment, measuring (DT_CALCRECT) and drawing.
// Layout is worked out first, on code points, then drawn line by line.
#include <algorithm>
#include <string_view>

#include "gdi/raster.h"
#include "gdi/text_render.h"

using namespace gdi::detail;

namespace {

struct Line {
  std::vector<char32_t> chars;
  int underline = -1;  // index into chars of the prefixed character, or -1
  int width = 0;
};

constexpr int kTabColumns = 8;

// Removes '&' marks: "&x" shows x underlined, "&&" shows one '&'.
std::vector<char32_t> StripPrefixes(const std::vector<char32_t>& in, int* underline) {
  std::vector<char32_t> out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != U'&') {
      out.push_back(in[i]);
      continue;
    }
    if (++i == in.size()) break;  // a trailing '&' shows nothing
    if (in[i] != U'&') *underline = int(out.size());
    out.push_back(in[i]);
  }
  return out;
}

// Tabs become spaces up to the next multiple of kTabColumns characters.
std::vector<char32_t> ExpandTabs(const std::vector<char32_t>& in, int* underline) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (int(i) == *underline) *underline = int(out.size());
    if (in[i] != U'\t') {
      out.push_back(in[i]);
      continue;
    }
    do out.push_back(U' '); while (out.size() % kTabColumns != 0);
  }
  return out;
}

// Splits at CR LF, LF or CR; a single-line format drops them instead.
std::vector<Line> SplitLines(const std::vector<char32_t>& text, int underline, bool single) {
  std::vector<Line> lines(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c == U'\r' || c == U'\n') {
      if (!single) {
        if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') ++i;
        lines.emplace_back();
      }
      continue;
    }
    if (int(i) == underline) lines.back().underline = int(lines.back().chars.size());
    lines.back().chars.push_back(c);
  }
  return lines;
}

// Greedy word wrap at spaces; the spaces at a break are dropped. A word
// wider than the line stays whole on its own line.
std::vector<Line> Wrap(FaceSize& face, const Line& line, int maxWidth) {
  std::vector<Line> out(1);
  const auto& chars = line.chars;
  std::size_t i = 0;
  while (i < chars.size()) {
    std::size_t spaceEnd = i;
    while (spaceEnd < chars.size() && chars[spaceEnd] == U' ') ++spaceEnd;
    std::size_t wordEnd = spaceEnd;
    while (wordEnd < chars.size() && chars[wordEnd] != U' ') ++wordEnd;
    Line& current = out.back();
    const std::span<const char32_t> all(chars.data() + i, wordEnd - i);
    const bool fits = current.width + RunWidth(face, all) <= maxWidth;
    std::size_t from = i;
    if (!current.chars.empty() && !fits) {
      out.emplace_back();
      from = spaceEnd;  // the spaces at the break go
    }
    Line& target = out.back();
    for (std::size_t k = from; k < wordEnd; ++k) {
      if (int(k) == line.underline) target.underline = int(target.chars.size());
      target.chars.push_back(chars[k]);
    }
    target.width = RunWidth(face, target.chars);
    i = wordEnd;
  }
  return out;
}

// Cuts a line that is too wide and ends it with "...".
void EndEllipsis(FaceSize& face, Line& line, int maxWidth) {
  if (line.width <= maxWidth) return;
  const std::vector<char32_t> dots(3, U'.');
  const int dotsWidth = RunWidth(face, dots);
  int width = 0;
  std::size_t keep = 0;
  while (keep < line.chars.size() &&
         width + face.GlyphFor(line.chars[keep]).advance + dotsWidth <= maxWidth) {
    width += face.GlyphFor(line.chars[keep]).advance;
    ++keep;
  }
  line.chars.resize(keep);
  if (line.underline >= int(keep)) line.underline = -1;
  line.chars.insert(line.chars.end(), dots.begin(), dots.end());
  line.width = width + dotsWidth;
}

std::vector<Line> Layout(FaceSize& face, std::u16string_view text, UINT format, int maxWidth) {
  int underline = -1;
  std::vector<char32_t> chars = CodePoints(text);
  if (!(format & DT_NOPREFIX)) chars = StripPrefixes(chars, &underline);
  if (format & DT_EXPANDTABS) chars = ExpandTabs(chars, &underline);
  const bool single = format & DT_SINGLELINE;
  std::vector<Line> lines;
  for (Line& line : SplitLines(chars, underline, single)) {
    line.width = RunWidth(face, line.chars);
    if ((format & DT_WORDBREAK) && !single) {
      for (Line& wrapped : Wrap(face, line, maxWidth)) lines.push_back(std::move(wrapped));
    } else {
      lines.push_back(std::move(line));
    }
  }
  if (format & DT_END_ELLIPSIS) {
    for (Line& line : lines) EndEllipsis(face, line, maxWidth);
  }
  return lines;
}

LONG LineX(const RECT& r, int width, UINT format) {
  if (format & DT_CENTER) return r.left + (r.right - r.left - width) / 2;
  if (format & DT_RIGHT) return r.right - width;
  return r.left;
}

}  // namespace

int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, RECT* lprc, UINT format) {
  DrawTarget target(hdc, !(format & DT_CALCRECT));
  if (!target.ok()) return 0;
  if (!lpchText || !lprc || cchText < -1) {
    SetLastError(DWORD(ERROR_INVALID_PARAMETER));
    return 0;
  }
  FaceSize* face = SelectedFace(target.dc());
  if (!face) return 0;
  const std::u16string_view text =
      cchText == -1 ? std::u16string_view(lpchText) : std::u16string_view(lpchText, std::size_t(cchText));
  const RECT r = ClampRect(*lprc);
  const std::vector<Line> lines = Layout(*face, text, format, int(r.right - r.left));
  const int lineHeight = face->height();
  const int height = lineHeight * int(lines.size());
  if (format & DT_CALCRECT) {
    int widest = 0;
    for (const Line& line : lines) widest = std::max(widest, line.width);
    lprc->right = Clamp(std::int64_t{lprc->left} + widest);
    lprc->bottom = Clamp(std::int64_t{lprc->top} + height);
    return height;
  }
  LONG y = r.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) y = r.top + (r.bottom - r.top - lineHeight) / 2;
    else if (format & DT_BOTTOM) y = r.bottom - lineHeight;
  }
  const DcState& state = target.dc().state;
  const RECT clip = (format & DT_NOCLIP) ? target.clip() : target.ToSurface(r);
  const COLORREF color = Resolve(state.textColor);
  gdi::Surface& surface = target.surface();
  for (const Line& line : lines) {
    const LONG sx = LineX(r, line.width, format) + target.dx();
    const LONG sy = y + target.dy();
    if (state.bkMode == OPAQUE) {
      FillSolid(surface, Intersect({sx, sy, sx + line.width, sy + lineHeight}, clip),
                Resolve(state.bkColor));
    }
    DrawRun(surface, *face, line.chars, sx, sy, color, clip);
    if (line.underline >= 0) {
      const std::span<const char32_t> before(line.chars.data(), std::size_t(line.underline));
      const LONG ux = sx + RunWidth(*face, before);
      const LONG uy = sy + face->ascent + 1;
      const int w = face->GlyphFor(line.chars[std::size_t(line.underline)]).advance;
      FillSolid(surface, Intersect({ux, uy, ux + w, uy + 1}, clip), color);
    }
    y += lineHeight;
  }
  return height;
}
