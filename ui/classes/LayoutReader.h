// Reading a form's layout text: creates its components and assigns their published
// properties while they are loading, then calls Loaded on each.
//
// The text (ui/README.md shows a full example):
//     object Form1: TForm1                 the root: its class must be the root's class
//       Caption = 'Kelvorine'              string: 'text', '' for a quote, #13 codes, + joins
//       Width = 336                        integer: 336, -11, $FF
//       Color = clBtnFace                  identifier of an integer property (colour, cursor)
//       ShortCut = 'Ctrl+O'                text form of an integer property
//       Visible = False                    enumeration value name (Boolean is False/True)
//       Anchors = [akLeft, akTop]          set
//       Font.Name = 'MS Sans Serif'        property of a sub-object
//       Lines = ('one' 'two')              string list, one string per item, any line breaks
//       SkinStream = { 0A0B0C }            bytes in hex, any line breaks
//       SkinStream = resource 'SKIN'       bytes from a resource of the program
//       Images = ImageList1                another component of the layout (or nil)
//       OnClick = Button1Click             handler published by the root (PublishMethod)
//       object Button1: TButton            nested component: owned by the root; the
//         ...                              container takes it as child (AddLoadedChild)
//       end
//     end
// Blank lines and // comments are ignored; names and identifiers ignore case.
//
// Contract:
//  - Components are created through the class registry (RegisterComponentClass<T>()); the
//    root is not created, it is filled. Every component read (root first, then in text
//    order) gets csLoading during the read and Loaded() once after all properties and
//    references are assigned.
//  - Any problem throws ELayoutError naming the line: syntax, an unknown class, property or
//    value, a duplicate name, a reference to a missing component or handler, an error raised
//    by a property's setter. Components created before the error stay owned by the root and
//    have left the loading state; Loaded is not called then.
//  - Binary properties get a TMemoryStream over exactly the given bytes, positioned at 0.
//  - The reader keeps no pointer to the text or the resources after it returns.
#pragma once

#include "ui/classes/Component.h"

#include <optional>

// Finds a binary resource by name for `resource 'NAME'` values; nullopt when there is none.
using TLayoutResourceFinder = std::function<std::optional<std::vector<uint8_t>>(std::string_view)>;

void ReadLayout(TComponent& root, std::string_view text,
                const TLayoutResourceFinder& resources = nullptr);
