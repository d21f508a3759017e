#pragma once

#include <QIcon>

// The small pictures of the program's tool buttons, drawn rather than loaded so that they
// need no files.
namespace Glyphs {

QIcon printer();     // a printer with a sheet coming out
QIcon note();        // a sheet with lines and a pencil
QIcon clear();       // a sheet with a red cross
QIcon spreadsheet(); // a green sheet with the lines of a table
QIcon bulb();        // a lit light bulb
QIcon add();         // a green plus: a new record
QIcon remove();      // a red minus: the record deleted
QIcon confirm();     // a green tick: the record posted
QIcon search();      // a magnifying glass

} // namespace Glyphs
