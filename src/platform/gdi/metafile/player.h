#pragma once
// Plays an enhanced metafile into a device context. The player keeps the recorded context's
// mapping itself and hands the raster device coordinates only: the target runs in MM_TEXT
// while the picture plays, and pen widths and font heights are scaled to the device.
#include <map>
#include <optional>
#include <span>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/metafile/clip_geometry.h"
#include "platform/gdi/metafile/emf_document.h"
#include "platform/gdi/metafile/mapping.h"

namespace platform::metafile {

class EmfPlayer {
  public:
    // `target` is in device pixels, inclusive at both ends.
    EmfPlayer(HDC dc, const EmfDocument& doc, const RECT& target);
    ~EmfPlayer();
    EmfPlayer(const EmfPlayer&) = delete;
    EmfPlayer& operator=(const EmfPlayer&) = delete;

    void Play();

    struct Vertex;  // a gradient's corner: device position and 16-bit colour channels

  private:
    // A pen as the picture describes it; realised per device width when drawing.
    struct LogicalPen {
        UINT style = PS_SOLID;
        int32_t width = 0;  // logical units; 0 = one pixel
        COLORREF color = 0;
        bool cosmetic = false;    // always one pixel wide
        HGDIOBJ stock = nullptr;  // a stock pen, used as it is
    };
    struct ObjectEntry {
        enum class Kind { Empty, Pen, Brush, Font, Other } kind = Kind::Empty;
        LogicalPen pen;
        HBRUSH brush = nullptr;
        LOGFONT font{};
    };
    // What SaveDC must bring back besides the target's own state.
    struct PlayState {
        PageMapping page;
        Affine world;
        LogicalPen pen;
        std::optional<LOGFONT> font;
        bool clockwise = false;
        Vec2 position;  // current position, device space
    };
    struct Figure {
        std::vector<Vec2> points;  // device space
        bool closed = false;
    };

    // Plays one record through the handler the table gives its type.
    using RecordHandler = void (EmfPlayer::*)(uint32_t type, std::span<const uint8_t> rec);
    static const std::pair<uint32_t, RecordHandler> kHandlers[];
    void Dispatch(const RecordRef& ref);

    // Handlers for records played in a line or two, and adapters for the others.
    template <void (EmfPlayer::*Handler)(std::span<const uint8_t>)>
    void Untyped(uint32_t type, std::span<const uint8_t> rec);
    template <auto Setter>  // a context attribute from the record's one signed value
    void SignedAttribute(uint32_t type, std::span<const uint8_t> rec);
    template <auto Setter>  // a context attribute from the record's one unsigned value
    void UnsignedAttribute(uint32_t type, std::span<const uint8_t> rec);
    void SaveDcRecord(uint32_t type, std::span<const uint8_t> rec);
    void RestoreDcRecord(uint32_t type, std::span<const uint8_t> rec);
    void ArcDirectionRecord(uint32_t type, std::span<const uint8_t> rec);
    void BrushOriginRecord(uint32_t type, std::span<const uint8_t> rec);
    void PaletteRecord(uint32_t type, std::span<const uint8_t> rec);
    void SelectObjectRecord(uint32_t type, std::span<const uint8_t> rec);
    void DeleteObjectRecord(uint32_t type, std::span<const uint8_t> rec);
    void MoveToRecord(uint32_t type, std::span<const uint8_t> rec);
    void LineToRecord(uint32_t type, std::span<const uint8_t> rec);
    void BeginPathRecord(uint32_t type, std::span<const uint8_t> rec);
    void EndPathRecord(uint32_t type, std::span<const uint8_t> rec);
    void AbortPathRecord(uint32_t type, std::span<const uint8_t> rec);
    void CloseFigureRecord(uint32_t type, std::span<const uint8_t> rec);
    template <bool Fill, bool Stroke>
    void PathRecord(uint32_t type, std::span<const uint8_t> rec);
    void OffsetClipRecord(uint32_t type, std::span<const uint8_t> rec);
    template <bool Wide>
    void TextRecord(uint32_t type, std::span<const uint8_t> rec);

    void ResetAttributes();
    void SetPosition(Vec2 device);
    void UpdateTransform();

    // Coordinates.
    Vec2 ToDevice(double x, double y) const { return current_.Apply({x, y}); }
    POINT DevicePoint(Vec2 p) const { return {RoundCoordinate(p.x), RoundCoordinate(p.y)}; }
    std::vector<POINT> DevicePoints(const std::vector<Vec2>& points) const;
    bool DeviceBox(int32_t l, int32_t t, int32_t r, int32_t b, RECT& out) const;

    // Mapping records.
    void MapRecord(uint32_t type, std::span<const uint8_t> rec);
    void WorldTransform(uint32_t type, std::span<const uint8_t> rec);
    void SaveState();
    void RestoreState(int32_t which);

    // Objects.
    ObjectEntry* Entry(uint32_t index, bool mustBeEmpty);
    void CreatePen(std::span<const uint8_t> rec);
    void ExtCreatePen(std::span<const uint8_t> rec);
    void CreateBrush(std::span<const uint8_t> rec);
    void CreateDibBrush(std::span<const uint8_t> rec);
    void CreateFont(std::span<const uint8_t> rec);
    void SelectObject(uint32_t index);
    void DeleteObject(uint32_t index);
    void Retire(ObjectEntry& entry);
    void ApplyPen();
    void ApplyFont();
    HPEN RealizePen(const LogicalPen& pen);

    // Drawing.
    void Shape(uint32_t type, std::span<const uint8_t> rec);
    void ArcFamily(uint32_t type, std::span<const uint8_t> rec);
    void Points(uint32_t type, std::span<const uint8_t> rec);
    void PolyPoly(uint32_t type, std::span<const uint8_t> rec);
    void PolyDraw(uint32_t type, std::span<const uint8_t> rec);
    void LineTo(double x, double y);
    void DrawPolygon(const std::vector<Vec2>& devicePoints);
    void DrawPolyline(const std::vector<Vec2>& devicePoints);
    void DrawPolyPolygon(const std::vector<std::vector<Vec2>>& devicePolygons);
    void SetPixel(std::span<const uint8_t> rec);
    void Text(std::span<const uint8_t> rec, bool wide);
    void StretchDibits(std::span<const uint8_t> rec);
    void Blt(uint32_t type, std::span<const uint8_t> rec);
    void SetDibitsToDevice(std::span<const uint8_t> rec);
    void AlphaBlend(std::span<const uint8_t> rec);
    void GradientFill(std::span<const uint8_t> rec);
    void ShadeRect(const Vertex& from, const Vertex& to, bool vertical, const RECT& visible);
    void DrawDib(std::span<const uint8_t> rec, uint32_t offBmi, uint32_t cbBmi, uint32_t offBits,
                 uint32_t cbBits, uint32_t usage, Vec2 destA, Vec2 destB, int32_t xSrc,
                 int32_t ySrc, int32_t cxSrc, int32_t cySrc, bool sourceTopDown, DWORD rop);

    // Clipping.
    void ClipRect(uint32_t type, std::span<const uint8_t> rec);
    void SelectClipRegion(std::span<const uint8_t> rec);
    void SelectClipPath(std::span<const uint8_t> rec);

    // Paths.
    void PathFigureStart(Vec2 p);
    void PathAdd(const std::vector<Vec2>& points, bool startsFigure, bool closed);
    void FillAndStrokePath(bool fill, bool stroke);

    HDC dc_;
    const EmfDocument& doc_;
    Affine play_;
    Affine current_;
    PlayState state_;
    std::vector<PlayState> saved_;
    int savedLevel_ = 0;
    std::vector<ObjectEntry> objects_;
    std::vector<HGDIOBJ> retired_;
    std::map<std::tuple<UINT, int, COLORREF>, HPEN> pens_;
    std::map<std::string, HFONT> fonts_;  // keyed by the realised LOGFONT's bytes
    HRGN initialClip_ = nullptr;
    GuardBox guard_;
    bool inPath_ = false;
    std::vector<Figure> path_;
};

}  // namespace platform::metafile
