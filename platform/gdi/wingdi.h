// The handheld's drawing services with their platform names and values:
// device contexts, brushes, pens, fonts, bitmaps, blits, shapes and text.
//
// Every object lives in one handle table inside the drawing room. A handle
// that does not name a live object of the right kind (never created, deleted,
// or a handle of another kind) makes the call fail the way the platform fails
// it (0, FALSE or nullptr, with ERROR_INVALID_HANDLE as the last error),
// never a crash. Drawing is for the user-interface thread only.
//
// Colours are COLORREF (0x00BBGGRR). A COLORREF with SYS_COLOR_INDEX_FLAG set
// names a system colour (the platform's COLOR_* values carry that flag) and
// is drawn in that colour's current value.
//
// Sections: constants; structures; system colours; objects; device contexts;
// fills, blits and shapes; bitmaps; fonts and text.
#pragma once

#include "base/wintypes.h"
#include "gdi/bmp_format.h"

// ---- Constants --------------------------------------------------------------

// System colour indices. On this platform every COLOR_* value carries
// SYS_COLOR_INDEX_FLAG; GetSysColor also takes the bare index.
inline constexpr int SYS_COLOR_INDEX_FLAG = 0x40000000;
inline constexpr int COLOR_SCROLLBAR = 0 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BACKGROUND = 1 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_DESKTOP = COLOR_BACKGROUND;
inline constexpr int COLOR_ACTIVECAPTION = 2 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INACTIVECAPTION = 3 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_MENU = 4 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOW = 5 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOWFRAME = 6 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_MENUTEXT = 7 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_WINDOWTEXT = 8 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_CAPTIONTEXT = 9 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_ACTIVEBORDER = 10 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INACTIVEBORDER = 11 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_APPWORKSPACE = 12 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_HIGHLIGHT = 13 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNFACE = 15 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_3DFACE = COLOR_BTNFACE;
inline constexpr int COLOR_BTNSHADOW = 16 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_3DSHADOW = COLOR_BTNSHADOW;
inline constexpr int COLOR_GRAYTEXT = 17 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNTEXT = 18 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNHIGHLIGHT = 20 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT;
inline constexpr int COLOR_3DDKSHADOW = 21 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_3DLIGHT = 22 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INFOTEXT = 23 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_INFOBK = 24 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_STATIC = 25 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_STATICTEXT = 26 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27 | SYS_COLOR_INDEX_FLAG;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28 | SYS_COLOR_INDEX_FLAG;
inline constexpr int C_SYS_COLOR_TYPES = 29;

// Stock objects.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;
inline constexpr int HOLLOW_BRUSH = NULL_BRUSH;
inline constexpr int WHITE_PEN = 6;
inline constexpr int BLACK_PEN = 7;
inline constexpr int NULL_PEN = 8;
inline constexpr int SYSTEM_FONT = 13;
inline constexpr int DEFAULT_GUI_FONT = 17;

// Object types (GetObjectType).
inline constexpr DWORD OBJ_PEN = 1;
inline constexpr DWORD OBJ_BRUSH = 2;
inline constexpr DWORD OBJ_DC = 3;
inline constexpr DWORD OBJ_FONT = 6;
inline constexpr DWORD OBJ_BITMAP = 7;
inline constexpr DWORD OBJ_MEMDC = 10;

// Ternary raster operations (BitBlt, PatBlt). Every one of the 256 codes
// works; these are the named ones.
inline constexpr DWORD SRCCOPY = 0x00CC0020;
inline constexpr DWORD SRCPAINT = 0x00EE0086;
inline constexpr DWORD SRCAND = 0x008800C6;
inline constexpr DWORD SRCINVERT = 0x00660046;
inline constexpr DWORD SRCERASE = 0x00440328;
inline constexpr DWORD NOTSRCCOPY = 0x00330008;
inline constexpr DWORD NOTSRCERASE = 0x001100A6;
inline constexpr DWORD MERGECOPY = 0x00C000CA;
inline constexpr DWORD MERGEPAINT = 0x00BB0226;
inline constexpr DWORD PATCOPY = 0x00F00021;
inline constexpr DWORD PATPAINT = 0x00FB0A09;
inline constexpr DWORD PATINVERT = 0x005A0049;
inline constexpr DWORD DSTINVERT = 0x00550009;
inline constexpr DWORD BLACKNESS = 0x00000042;
inline constexpr DWORD WHITENESS = 0x00FF0062;

// Background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

// Pen styles.
inline constexpr int PS_SOLID = 0;
inline constexpr int PS_DASH = 1;
inline constexpr int PS_NULL = 5;

// Brush styles (LOGBRUSH).
inline constexpr UINT BS_SOLID = 0;
inline constexpr UINT BS_NULL = 1;
inline constexpr UINT BS_HOLLOW = BS_NULL;

// Font weights, character set, face name size.
inline constexpr LONG FW_NORMAL = 400;
inline constexpr LONG FW_SEMIBOLD = 600;
inline constexpr LONG FW_BOLD = 700;
inline constexpr BYTE DEFAULT_CHARSET = 1;
inline constexpr int LF_FACESIZE = 32;

// DrawTextW formats.
inline constexpr UINT DT_TOP = 0x00000000;
inline constexpr UINT DT_LEFT = 0x00000000;
inline constexpr UINT DT_CENTER = 0x00000001;
inline constexpr UINT DT_RIGHT = 0x00000002;
inline constexpr UINT DT_VCENTER = 0x00000004;
inline constexpr UINT DT_BOTTOM = 0x00000008;
inline constexpr UINT DT_WORDBREAK = 0x00000010;
inline constexpr UINT DT_SINGLELINE = 0x00000020;
inline constexpr UINT DT_EXPANDTABS = 0x00000040;
inline constexpr UINT DT_NOCLIP = 0x00000100;
inline constexpr UINT DT_CALCRECT = 0x00000400;
inline constexpr UINT DT_NOPREFIX = 0x00000800;
inline constexpr UINT DT_END_ELLIPSIS = 0x00008000;

// ExtTextOutW options.
inline constexpr UINT ETO_OPAQUE = 0x0002;
inline constexpr UINT ETO_CLIPPED = 0x0004;

// GetDeviceCaps indices.
inline constexpr int BITSPIXEL = 12;
inline constexpr int PLANES = 14;
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

// CreateDIBSection usage.
inline constexpr UINT DIB_RGB_COLORS = 0;

// ---- Structures ------------------------------------------------------------

struct BITMAP {
  LONG bmType = 0;
  LONG bmWidth = 0;
  LONG bmHeight = 0;
  LONG bmWidthBytes = 0;
  WORD bmPlanes = 0;
  WORD bmBitsPixel = 0;
  LPVOID bmBits = nullptr;
};

struct BITMAPINFOHEADER {
  DWORD biSize = 40;
  LONG biWidth = 0;
  LONG biHeight = 0;
  WORD biPlanes = 1;
  WORD biBitCount = 0;
  DWORD biCompression = BI_RGB;
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};

struct RGBQUAD {
  BYTE rgbBlue = 0;
  BYTE rgbGreen = 0;
  BYTE rgbRed = 0;
  BYTE rgbReserved = 0;
};

// The header and a colour table of bmiHeader.biClrUsed entries (2^bits when
// 0, for 8 bits or fewer), which may run past the one entry declared here.
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
};

struct LOGBRUSH {
  UINT lbStyle = BS_SOLID;
  COLORREF lbColor = 0;
  LONG lbHatch = 0;
};

struct LOGPEN {
  UINT lopnStyle = PS_SOLID;
  POINT lopnWidth;
  COLORREF lopnColor = 0;
};

struct LOGFONTW {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  WCHAR lfFaceName[LF_FACESIZE] = {};
};

struct TEXTMETRICW {
  LONG tmHeight = 0;
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
  LONG tmOverhang = 0;
  LONG tmDigitizedAspectX = 0;
  LONG tmDigitizedAspectY = 0;
  WCHAR tmFirstChar = 0;
  WCHAR tmLastChar = 0;
  WCHAR tmDefaultChar = 0;
  WCHAR tmBreakChar = 0;
  BYTE tmItalic = 0;
  BYTE tmUnderlined = 0;
  BYTE tmStruckOut = 0;
  BYTE tmPitchAndFamily = 0;
  BYTE tmCharSet = 0;
};

// ---- System colours ----------------------------------------------------------

// The current colour of a display element: nIndex is a COLOR_* value, with or
// without SYS_COLOR_INDEX_FLAG. 0 for an index outside 0..C_SYS_COLOR_TYPES-1.
DWORD GetSysColor(int nIndex);

// A brush that always paints the element's current colour. Owned by the
// system: DeleteObject on it does nothing. nullptr with
// ERROR_INVALID_PARAMETER for an unknown index.
HBRUSH GetSysColorBrush(int nIndex);

// Changes cElements system colours (indices as GetSysColor takes them);
// later drawing with those colours and their brushes follows. FALSE with
// ERROR_INVALID_PARAMETER for a null array, a negative count or an unknown
// index (nothing changed then).
BOOL SetSysColors(int cElements, const int* lpaElements, const COLORREF* lpaRgbValues);

// ---- Objects -------------------------------------------------------------------

// A brush painting one colour. Never fails.
HBRUSH CreateSolidBrush(COLORREF color);
// A brush from a LOGBRUSH (BS_SOLID or BS_NULL); nullptr with
// ERROR_INVALID_PARAMETER for another style or a null pointer.
HBRUSH CreateBrushIndirect(const LOGBRUSH* lplb);

// A pen of PS_SOLID, PS_DASH or PS_NULL, cWidth pixels wide (0 means 1).
// nullptr with ERROR_INVALID_PARAMETER for another style or a negative width.
HPEN CreatePen(int iStyle, int cWidth, COLORREF color);

// One of the stock objects above; nullptr with ERROR_INVALID_PARAMETER for
// another index. Stock objects are never deleted.
HGDIOBJ GetStockObject(int i);

// Deletes a brush, pen, font or bitmap. TRUE for a stock or system object (kept
// alive). FALSE with ERROR_INVALID_HANDLE for a dead handle or a DC (use
// DeleteDC), and FALSE with ERROR_INVALID_PARAMETER, deleting nothing, while
// the object is selected into a DC.
BOOL DeleteObject(HGDIOBJ ho);

// Copies the object's description into pv: BITMAP for a bitmap, LOGBRUSH,
// LOGPEN, LOGFONTW. With pv null returns the size needed; otherwise the
// bytes copied (at most c; 0 when c is smaller than the structure). 0 with
// ERROR_INVALID_HANDLE for a dead handle or a DC.
int GetObjectW(HGDIOBJ h, int c, LPVOID pv);

// OBJ_* of a live object; 0 with ERROR_INVALID_HANDLE otherwise.
DWORD GetObjectType(HGDIOBJ h);

// ---- Device contexts -----------------------------------------------------------

// A memory DC (OBJ_MEMDC) holding a 1 x 1 stock bitmap until a bitmap is
// selected into it. hdc is ignored except that, when not null, it must be a
// live DC (else nullptr with ERROR_INVALID_HANDLE).
HDC CreateCompatibleDC(HDC hdc);

// Deletes a DC, deselecting its objects. FALSE with ERROR_INVALID_HANDLE for
// a dead handle.
BOOL DeleteDC(HDC hdc);

// Selects a brush, pen, font or bitmap (bitmaps into memory DCs only) and
// returns the object of that kind selected before. nullptr with
// ERROR_INVALID_HANDLE for a dead DC or object, and with
// ERROR_INVALID_PARAMETER for a bitmap into a surface DC, a bitmap already
// selected into another DC, or a DC as the object.
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);

// The object of the given OBJ_* kind selected into the DC; nullptr with
// ERROR_INVALID_HANDLE / ERROR_INVALID_PARAMETER.
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);

// Background mode (TRANSPARENT, OPAQUE) and colours. Each setter returns the
// previous value; on a dead DC 0 (CLR_INVALID for colours) with
// ERROR_INVALID_HANDLE. SetBkMode with another mode fails with
// ERROR_INVALID_PARAMETER.
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF color);
COLORREF GetBkColor(HDC hdc);
COLORREF SetTextColor(HDC hdc, COLORREF color);
COLORREF GetTextColor(HDC hdc);

// The viewport origin: where logical (0, 0) lies in the DC's device space.
// lppt, when not null, receives the previous origin. FALSE with
// ERROR_INVALID_HANDLE for a dead DC.
BOOL SetViewportOrgEx(HDC hdc, int x, int y, POINT* lppt);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, POINT* lppt);
BOOL GetViewportOrgEx(HDC hdc, POINT* lppt);

// Narrows the clip area to the given logical rectangle (it keeps its place
// on the device when the viewport moves later). Returns NULLREGION (1) when
// nothing is left, SIMPLEREGION (2) otherwise; ERROR (0) with
// ERROR_INVALID_HANDLE for a dead DC.
inline constexpr int ERROR = 0;
inline constexpr int NULLREGION = 1;
inline constexpr int SIMPLEREGION = 2;
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
// The clip area in logical coordinates; same results as IntersectClipRect.
int GetClipBox(HDC hdc, RECT* lprect);

// Saves the DC's selections, colours, modes, origin and clip on a stack and
// returns the new depth (0 with ERROR_INVALID_HANDLE). RestoreDC with a
// positive level returns to that saved state, with a negative one goes that
// many states back; FALSE with ERROR_INVALID_PARAMETER for a level not saved.
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int nSavedDC);

// Device facts: 32 bits, 1 plane, the screen's size, 96 pixels per inch.
// 0 for other indices or a dead DC.
int GetDeviceCaps(HDC hdc, int index);

// ---- Fills, blits and shapes --------------------------------------------------------

// Fills the rectangle with the selected brush combined by rop (pattern and
// destination only). FALSE with ERROR_INVALID_HANDLE for a dead DC, with
// ERROR_INVALID_PARAMETER for a rop that reads a source.
BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);

// Copies a w x h block from (x1, y1) of hdcSrc to (x, y) of hdc through rop
// (the pattern is hdc's brush). Destination pixels whose source lies outside
// the source's bitmap or surface are left as they are. hdcSrc may be null
// only for a rop that reads no source. FALSE with ERROR_INVALID_HANDLE for a
// dead DC.
BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop);

// BitBlt with scaling: the source block (xSrc, ySrc, wSrc, hSrc) is sampled
// at the nearest pixel onto the destination block; negative sizes mirror.
// Errors as BitBlt.
BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc,
                int ySrc, int wSrc, int hSrc, DWORD rop);

// Copies a block like StretchBlt with SRCCOPY, leaving the destination as it
// is wherever the source pixel is TransparentColor. hSrc is a DC or a bitmap
// not selected into any DC. FALSE with ERROR_INVALID_HANDLE for a dead DC or
// source, ERROR_INVALID_PARAMETER for a bitmap selected elsewhere.
BOOL TransparentImage(HDC hdcDest, LONG DstX, LONG DstY, LONG DstCx, LONG DstCy, HANDLE hSrc,
                      LONG SrcX, LONG SrcY, LONG SrcCx, LONG SrcCy, COLORREF TransparentColor);

// Fills the rectangle (right and bottom excluded) with hbr, which may be a
// system colour index + 1. FALSE with ERROR_INVALID_HANDLE for a dead DC or
// brush, ERROR_INVALID_PARAMETER for a null rectangle.
int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
// A one-pixel frame inside the rectangle in hbr. Errors as FillRect.
int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);

// Outlines the rectangle with the pen (inside right-1, bottom-1) and fills
// the inside with the brush. FALSE with ERROR_INVALID_HANDLE for a dead DC.
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);

// Moves the current position (lppt receives the old one) / draws a line with
// the pen from it to (x, y), the end point excluded, and moves there. FALSE
// with ERROR_INVALID_HANDLE for a dead DC.
BOOL MoveToEx(HDC hdc, int x, int y, POINT* lppt);
BOOL LineTo(HDC hdc, int x, int y);
// Draws connected lines through cpt points with the pen. FALSE with
// ERROR_INVALID_PARAMETER for a null array or fewer than 2 points.
BOOL Polyline(HDC hdc, const POINT* apt, int cpt);

// Sets one pixel and returns the colour set; CLR_INVALID (-1) when the
// point is clipped or the DC dead. GetPixel: CLR_INVALID outside the clip.
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC hdc, int x, int y);

// ---- Bitmaps ---------------------------------------------------------------------------

// A cx x cy 32-bit colour bitmap, black. nullptr with ERROR_INVALID_HANDLE for
// a dead DC, ERROR_INVALID_PARAMETER for a size below 1 or beyond the caps
// of image.h.
HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);

// A bitmap over pixel memory the caller can reach: 1, 4, 8, 24 or 32 bits per
// pixel, BI_RGB, bottom-up (biHeight > 0) or top-down (biHeight < 0); rows
// padded to 32 bits; colour table from pbmi for 8 bits or fewer. *ppvBits
// (when ppvBits is not null) receives the memory, zero-filled, valid until
// the bitmap is deleted. Drawing reads the memory before it starts and
// writes it back when it ends, so the caller's writes between calls show
// (each call converts the whole bitmap: meant for small ones).
// nullptr (and *ppvBits null) with ERROR_INVALID_PARAMETER for a null or
// unsupported header, a usage other than DIB_RGB_COLORS, or a size beyond
// the caps; hSection must be null.
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits,
                         HANDLE hSection, DWORD offset);

// Decodes the RT_BITMAP resource `name` (MAKEINTRESOURCE id or a string) of
// the module (null = the program's own). nullptr with the module table's
// errors (ERROR_INVALID_HANDLE, ERROR_RESOURCE_NAME_NOT_FOUND) or
// ERROR_RESOURCE_DATA_NOT_FOUND when the resource is not a valid DIB.
HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName);

// ---- Fonts and text ----------------------------------------------------------

// A font from its description. Every face is the "System" font (DejaVu Sans
// inside); lfWeight >= FW_SEMIBOLD chooses bold. lfHeight < 0 is the
// character (em) height in pixels, > 0 the cell height, 0 the default 11-pixel
// em. nullptr with ERROR_INVALID_PARAMETER for a null pointer.
HFONT CreateFontIndirectW(const LOGFONTW* lplf);

// Width and height of a run of text in the selected font (height = the
// font's line height). FALSE with ERROR_INVALID_HANDLE for a dead DC,
// ERROR_INVALID_PARAMETER for a null string with c > 0, a negative c or a
// null psizl.
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, SIZE* psizl);
// The selected font's metrics. FALSE with ERROR_INVALID_HANDLE /
// ERROR_INVALID_PARAMETER (null lptm).
BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* lptm);

// Draws c characters with their cell's top-left at (x, y); with ETO_OPAQUE
// lprect is first filled with the background colour, with ETO_CLIPPED the
// text is cut to lprect. Errors as GetTextExtentPoint32W.
BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCWSTR lpString,
                 UINT c, const INT* lpDx);
BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c);

// Draws formatted text in the rectangle; cchText -1 means null-terminated.
// Returns the height of the text drawn (or measured with DT_CALCRECT, which
// sets lprc's right and bottom and draws nothing); 0 on failure with
// ERROR_INVALID_HANDLE / ERROR_INVALID_PARAMETER (null text or rectangle).
// '&' marks the next character's underline unless DT_NOPREFIX ("&&" is
// one '&').
int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, RECT* lprc, UINT format);
