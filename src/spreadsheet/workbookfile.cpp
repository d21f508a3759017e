#include "workbookfile.h"

#include "apperror.h"
#include "workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <xlsxwriter.h>

namespace Spreadsheet {

namespace {

constexpr int kLastColumn = LXW_COL_MAX;

AppError writeError(const QString& path, const QString& reason)
{
    return AppError(QStringLiteral("Cannot write the workbook \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
}

// The .xlsx colour (0xRRGGBB) of a colour given as 65536 × blue + 256 × green + red.
lxw_color_t xlsxColor(int value)
{
    const auto v = static_cast<unsigned>(value);
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

// The workbook being written, closed on every path.
class XlsxBook
{
public:
    explicit XlsxBook(const QByteArray& fileName) : m_book(workbook_new(fileName.constData())) {}
    ~XlsxBook()
    {
        if (m_book)
            workbook_close(m_book);
    }
    XlsxBook(const XlsxBook&) = delete;
    XlsxBook& operator=(const XlsxBook&) = delete;

    lxw_workbook* get() const { return m_book; }
    lxw_error close()
    {
        lxw_workbook* book = m_book;
        m_book = nullptr;
        return workbook_close(book);
    }

private:
    lxw_workbook* m_book;
};

// One .xlsx format per distinct cell format, each with the sheet's own formats (vertical
// alignment, font size) that a format of the spreadsheet file carries in full.
class Formats
{
public:
    Formats(lxw_workbook* book, const Workbook& model) : m_book(book), m_model(model) {}

    lxw_format* operator()(const CellFormat& format)
    {
        auto found = m_made.find(format);
        if (found != m_made.end())
            return found->second;
        lxw_format* made = workbook_add_format(m_book);
        format_set_font_size(made, m_model.fontSize());
        if (m_model.verticalAlignment() == VerticalAlignment::Center)
            format_set_align(made, LXW_ALIGN_VERTICAL_CENTER);
        if (format.horizontal == HorizontalAlignment::Center)
            format_set_align(made, LXW_ALIGN_CENTER);
        else if (format.horizontal == HorizontalAlignment::Right)
            format_set_align(made, LXW_ALIGN_RIGHT);
        if (format.bold)
            format_set_bold(made);
        if (format.fontColor)
            format_set_font_color(made, xlsxColor(*format.fontColor));
        const auto edge = [made](bool on, void (*setStyle)(lxw_format*, uint8_t),
                                 void (*setColor)(lxw_format*, lxw_color_t)) {
            if (on) {
                setStyle(made, LXW_BORDER_THIN);
                setColor(made, LXW_COLOR_BLACK);
            }
        };
        edge(format.top, format_set_top, format_set_top_color);
        edge(format.bottom, format_set_bottom, format_set_bottom_color);
        edge(format.left, format_set_left, format_set_left_color);
        edge(format.right, format_set_right, format_set_right_color);
        m_made.emplace(format, made);
        return made;
    }

private:
    lxw_workbook* m_book;
    const Workbook& m_model;
    std::map<CellFormat, lxw_format*> m_made;
};

// Fills the sheet; the first error of the library, if any.
lxw_error fillSheet(lxw_workbook* book, lxw_worksheet* sheet, const Workbook& model)
{
    Formats formats(book, model);
    lxw_format* plain = formats(CellFormat{});
    lxw_error error = LXW_NO_ERROR;
    const auto check = [&error](lxw_error result) {
        if (error == LXW_NO_ERROR)
            error = result;
    };

    // An empty cell takes the whole sheet's formats from its column: every column carries
    // them, each column given a width with its own entry, the runs between and after them
    // with the default width.
    worksheet_set_default_row(sheet, model.fontSize() <= 10 ? 12.75 : LXW_DEF_ROW_HEIGHT, LXW_FALSE);
    int column = 1;
    for (const auto& [widthColumn, width] : model.columnWidths()) {
        if (widthColumn > column)
            check(worksheet_set_column(sheet, static_cast<lxw_col_t>(column - 1),
                                       static_cast<lxw_col_t>(widthColumn - 2), LXW_DEF_COL_WIDTH, plain));
        check(worksheet_set_column(sheet, static_cast<lxw_col_t>(widthColumn - 1),
                                   static_cast<lxw_col_t>(widthColumn - 1), width, plain));
        column = widthColumn + 1;
    }
    if (column <= kLastColumn)
        check(
            worksheet_set_column(sheet, static_cast<lxw_col_t>(column - 1), kLastColumn - 1, LXW_DEF_COL_WIDTH, plain));

    for (const Area& a : model.merges()) {
        const Cell* corner = model.cell(a.firstRow, a.firstColumn);
        check(worksheet_merge_range(sheet, static_cast<lxw_row_t>(a.firstRow - 1),
                                    static_cast<lxw_col_t>(a.firstColumn - 1), static_cast<lxw_row_t>(a.lastRow - 1),
                                    static_cast<lxw_col_t>(a.lastColumn - 1), "",
                                    corner ? formats(corner->format) : plain));
    }

    // Every cell the model holds, with its value and format; a merged range's other cells
    // keep their own formats (their frame lines among them).
    for (const auto& [position, cell] : model.cells()) {
        const auto row = static_cast<lxw_row_t>(position.first - 1);
        const auto col = static_cast<lxw_col_t>(position.second - 1);
        lxw_format* format = formats(cell.format);
        if (const auto* text = std::get_if<QString>(&cell.value); text && !text->isEmpty())
            check(worksheet_write_string(sheet, row, col, text->toUtf8().constData(), format));
        else if (const auto* number = std::get_if<qint64>(&cell.value))
            check(worksheet_write_number(sheet, row, col, static_cast<double>(*number), format));
        else
            check(worksheet_write_blank(sheet, row, col, format));
    }
    return error;
}

} // namespace

void writeFile(const Workbook& model, const QString& path)
{
    const QFileInfo target(path);
    // The passing name: a new file in the target's folder, removed again unless renamed.
    QTemporaryFile passing(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!passing.open())
        throw writeError(path, passing.errorString());
    passing.close();
    // Readable as any file the user saves, not only by the owner as a passing file is.
    passing.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                           QFileDevice::ReadOther);
    const QByteArray passingName = QFile::encodeName(passing.fileName());

    XlsxBook book(passingName);
    if (!book.get())
        throw writeError(path, QStringLiteral("the workbook could not be made"));
    lxw_worksheet* sheet = workbook_add_worksheet(book.get(), model.sheetName().toUtf8().constData());
    if (!sheet)
        throw writeError(path, QStringLiteral("\"%1\" is not a valid sheet name").arg(model.sheetName()));
    const lxw_error filled = fillSheet(book.get(), sheet, model);
    if (filled != LXW_NO_ERROR)
        throw writeError(path, QString::fromUtf8(lxw_strerror(filled)));
    const lxw_error closed = book.close();
    if (closed != LXW_NO_ERROR)
        throw writeError(path, QString::fromUtf8(lxw_strerror(closed)));
    // rename() replaces an earlier file of the name in one step.
    if (std::rename(passingName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        throw writeError(path, QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace Spreadsheet
