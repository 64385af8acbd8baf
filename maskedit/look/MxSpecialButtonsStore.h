#pragma once
// The custom buttons in a stored layout: the edit's CustomButtons property is a collection
// value with one item per button,
//
//   CustomButtons = <
//     item {
//       Caption = "..."
//       Glyph = "16x16:FF7F007F..."
//       Font.Name = "Arial"
//       FontFX.Style = tdRaised
//       OnClick = btFindClick
//     }
//   >
//
// Every published item property is read and written. The older stored name CtlXP (a
// boolean) is read as well: it sets the theme mode (ttmNone or ttmPlatform) when that differs.
#include "framework/Component.h"
#include "framework/Layout.h"
#include "maskedit/look/MxSpecialButtons.h"

#include <functional>
#include <string>

// The click handler a layout names; an empty function when there is none of that name.
using TMxButtonHandlerLookup = std::function<TMxSpecialButton::TMxOnCustomBtnClick(const std::string& name)>;

// Applies one stored property of a 3D caption (its name without the owner's prefix:
// "Style", "LightDepth", ...); Unknown for a name it does not have. The edit's Font3D and a
// button's FontFX are stored alike.
TPropertyResult MxRead3DCaptionProperty(TMx3DCaption& fx, const std::string& name, const TLayoutValue& value);

// Applies one stored item property (dotted name).
TPropertyResult MxReadSpecialButtonProperty(TMxSpecialButton& item, const std::string& name,
                                            const TLayoutValue& value, const TMxButtonHandlerLookup& lookup);

// Replaces the buttons by the items of a stored collection value. A failure names the item
// (from 0) and the line of the property at fault; the items read before it stay.
TPropertyResult MxReadSpecialButtons(TMxSpecialButtons& buttons, const TLayoutValue& value,
                                     const TMxButtonHandlerLookup& lookup);

// The stored form of the buttons as a property value ("<" ... ">"), every item property
// written, item lines indented by indent + 2 spaces.
std::string MxSpecialButtonsLayoutValue(const TMxSpecialButtons& buttons, int indent = 2);
