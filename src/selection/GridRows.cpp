#include "GridRows.h"

namespace qw::selection {

namespace {

constexpr CellKind kKinds[] = {CellKind::Size, CellKind::Spine, CellKind::Model, CellKind::Weight};

std::string part(const std::string& text, std::size_t from, std::size_t count)
{
    return from < text.size() ? text.substr(from, count) : std::string();
}

} // namespace

ControlState& gridCell(GridCells& grid, Page page, CellKind kind, int row)
{
    return grid.cell(page, kind, row);
}

void setCaption(GridCells& grid, Page page, CellKind kind, int row, std::string caption)
{
    gridCell(grid, page, kind, row).text = std::move(caption);
}

void fillEmptyRow(GridCells& grid, Page page, int row, bool disableSize)
{
    for (CellKind kind : kKinds) {
        ControlState& cell = gridCell(grid, page, kind, row);
        cell.showCaption = false;
        cell.text.clear();
    }
    if (disableSize)
        gridCell(grid, page, CellKind::Size, row).enabled = false;
}

void fillRowWithoutSpec(GridCells& grid, Page page, int row, const std::string& size)
{
    setCaption(grid, page, CellKind::Size, row, size);
    for (CellKind kind : {CellKind::Spine, CellKind::Model, CellKind::Weight})
        setCaption(grid, page, kind, row, "");
    gridCell(grid, page, CellKind::Size, row).enabled = false;
}

std::string singleModelWeight(const std::string& gpiText, const DecimalNumber& length)
{
    const DecimalNumber grainsPerInch = parseRealField(gpiText);
    return length.mantissa < 0 ? std::string() : bareShaftWeight(grainsPerInch, length);
}

std::string twoModelWeights(const std::string& gpiText, const DecimalNumber& length)
{
    const std::string first = singleModelWeight(part(gpiText, 0, 4), length);
    const std::string second = singleModelWeight(part(gpiText, 5, 4), length);
    return length.mantissa < 0 ? std::string() : first + "," + second;
}

} // namespace qw::selection
