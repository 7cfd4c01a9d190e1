#pragma once

#include "platform/Overlay.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// The main window and the overlay as the program drew them: whether it shows and in which
// states it was shown, its picture, the aids and the marks over it, its cursor, the bands now on
// it (an XOR band drawn twice is gone), the text box while it shows, and whether the pointer is
// captured. A step's number fills the square around its circle in the step's colour, a text
// half its height wide a byte from its place in its own.
class THeadlessOverlay : public IOverlay {
public:
    void ShowMainWindow(TWindowState state) override {
        Visible = true;
        Shown.push_back(state);
    }
    void HideMainWindow() override { Visible = false; }
    void SetOverlayPicture(std::shared_ptr<const TScreenPixels> picture) override {
        Picture = std::move(picture);
        Marks.reset();
        Aids = {};
    }
    void SetCrossCursor(bool cross) override { Cross = cross; }
    void DrawXorRectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                          std::int32_t y2) override;
    void SetOverlayAids(const TOverlayAids& aids) override { Aids = aids; }
    void SetOverlayMarks(std::shared_ptr<const TScreenPixels> marks,
                         const std::vector<TCaptureRegion>& changed) override {
        Marks = std::move(marks);
        MarksChanged = changed;
    }
    std::vector<TCaptureRegion> DrawMark(const TMark& mark, const TMarkStyle& style,
                                         const TPixels32Canvas& canvas) override;
    TCaptureRegion LettersBox(const TMark& mark, const TMarkStyle& style) override;
    // TextEntryFails: the box cannot be made.
    void BeginTextEntry(TScreenPoint at, std::int32_t width, std::uint32_t colour,
                        std::int32_t height, const std::string& words) override;
    std::optional<std::string> EndTextEntry() override;
    void SetPointerCapture(bool captured) override { Captured = captured; }

    std::vector<std::array<std::int32_t, 4>> VisibleBands() const;

    bool Visible = false;
    std::vector<TWindowState> Shown;
    std::shared_ptr<const TScreenPixels> Picture;
    TOverlayAids Aids;
    std::shared_ptr<const TScreenPixels> Marks;
    std::vector<TCaptureRegion> MarksChanged; // as last told
    bool Cross = false;
    std::map<std::array<std::int32_t, 4>, int> Bands;
    int BandDraws = 0;
    bool Captured = false;
    bool TextEntryFails = false;
    struct TTextEntry {
        TScreenPoint At;
        std::int32_t Width;
        std::uint32_t Colour;
        std::int32_t Height;
        std::string Typed; // what the box holds: the words it began with, then what was typed
    };
    std::optional<TTextEntry> TextEntry; // the box while it shows
};
