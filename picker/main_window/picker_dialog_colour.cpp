// Colour state: the field exchange and the handlers that keep the five views in step.
#include "main_window/picker_dialog.h"

#include "data_exchange.h"
#include "resources/resource_ids.h"

namespace picker {

using namespace framework;

namespace {
constexpr int kHexDigits = 6;
}

void CPickerDialog::DoDataExchange(CDataExchange& exchange) {
    DDX_Control(exchange, IDC_BLUE_FIELD, blueField);
    DDX_Control(exchange, IDC_GREEN_FIELD, greenField);
    DDX_Control(exchange, IDC_RED_FIELD, redField);
    DDX_Control(exchange, ID_HELP, helpButton);
    DDX_Control(exchange, IDC_EXIT, exitButton);
    DDX_Control(exchange, IDC_SNAP, snapButton);
    DDX_Control(exchange, IDC_HEX_FIELD, hexField);
    DDX_Control(exchange, IDC_SWATCH, swatch);
    DDX_Control(exchange, IDC_BLUE_SLIDER, blueSlider);
    DDX_Control(exchange, IDC_GREEN_SLIDER, greenSlider);
    DDX_Control(exchange, IDC_RED_SLIDER, redSlider);
    DDX_Text(exchange, IDC_RED_FIELD, red);
    DDV_MinMaxInt(exchange, red, 0, 255);
    DDX_Text(exchange, IDC_GREEN_FIELD, green);
    DDV_MinMaxInt(exchange, green, 0, 255);
    DDX_Text(exchange, IDC_BLUE_FIELD, blue);
    DDV_MinMaxInt(exchange, blue, 0, 255);
    DDX_Text(exchange, IDC_HEX_FIELD, hexText);
    DDV_MaxChars(exchange, hexText, kHexDigits);
}

void CPickerDialog::FormatHexText() {
    hexText = picker::FormatHexColour(CurrentComponents());
}

void CPickerDialog::PaintSwatch(COLORREF colour) {
    CWindowDc dc(swatch.GetSafeHwnd());
    // The swatch's background brush too, so later repaints keep showing the colour. The old one
    // goes first: a brush is replaced, never changed.
    colourBrush.CreateSolidBrush(colour);
    RECT client;
    GetClientRect(swatch.GetSafeHwnd(), &client);
    FillRect(dc.get(), &client, colourBrush.get());
    // The lens gives the contrast against the colour the window holds.
    if (sampling) {
        sampling->Held(colour);
    }
}

void CPickerDialog::ApplyComponentFromSlider(UINT code, HWND source) {
    ReadControls();
    const std::pair<CSliderCtrl*, std::int32_t*> sliders[] = {
        {&redSlider, &red}, {&greenSlider, &green}, {&blueSlider, &blue}};
    for (const auto& [slider, component] : sliders) {
        // The colour follows the thumb while it moves; the end of tracking adds nothing.
        if (source == slider->GetSafeHwnd() && code != TB_ENDTRACK) {
            *component = slider->GetPos();
            FormatHexText();
            PaintSwatch(picker::ColourValue(CurrentComponents()));
            WriteControls();
        }
    }
    Default();
}

void CPickerDialog::OnDecimalFieldChanged(UINT fieldId) {
    ReadControls();
    const auto [component, slider] = fieldId == IDC_RED_FIELD     ? std::pair{&red, &redSlider}
                                     : fieldId == IDC_GREEN_FIELD ? std::pair{&green, &greenSlider}
                                                                  : std::pair{&blue, &blueSlider};
    // After its warning a value out of range is still taken, as near as it can be: 300 as 30,
    // and a negative one as 0, so the other views never show more than the three components.
    *component = picker::TrimComponent(*component);
    slider->SetPos(*component);
    FormatHexText();
    PaintSwatch(picker::ColourValue(CurrentComponents()));
    WriteControls();
}

void CPickerDialog::OnHexFieldChanged() {
    ReadControls();
    const std::string digits = picker::FilterHexDigits(hexText);
    const Components colour = picker::ParseHexDigits(digits);
    red = colour.red;
    green = colour.green;
    blue = colour.blue;
    redSlider.SetPos(red);
    greenSlider.SetPos(green);
    blueSlider.SetPos(blue);
    PaintSwatch(picker::ColourValue(colour));
    hexText = digits; // as typed, not padded
    WriteControls();
    hexField.SetSel(static_cast<int>(digits.size()), static_cast<int>(digits.size()));
}

void CPickerDialog::LoadSampledColour(COLORREF colour) {
    const Components sampled = picker::SplitColourValue(colour);
    blue = sampled.blue;
    blueSlider.SetPos(blue);
    green = sampled.green;
    greenSlider.SetPos(green);
    red = sampled.red;
    redSlider.SetPos(red);
    PaintSwatch(colour);
    FormatHexText();
    WriteControls();
    hexField.SetSel(static_cast<int>(hexText.size()), static_cast<int>(hexText.size()));
}

} // namespace picker
