// Typesetting a report document into PDF pages.
#include "report/report_pdf.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/core/exceptions.h"

using zor::plat::ReportDocument;
using zor::plat::ReportDocumentColumn;
using zor::plat::ReportLine;

namespace zor::flight_report {

namespace {

// A4 landscape in PostScript points.
constexpr double kPageWidth = 841.89;
constexpr double kPageHeight = 595.28;
constexpr double kMargin = 28;
constexpr double kGutter = 11;     // room for the inactive mark
constexpr double kIndent = 22;     // detail lines under their group line
constexpr double kCellGap = 9;     // blank space after every column
constexpr double kRowHeight = 10.4;
constexpr const char* kBodyFont = "DejaVu Sans Condensed 7.6";
constexpr const char* kTitleFont = "DejaVu Sans Bold 12";
constexpr const char* kInactiveMark = "✗";

double Pt(int pangoUnits) { return pangoUnits / static_cast<double>(PANGO_SCALE); }

struct LayoutDeleter {
  void operator()(PangoLayout* layout) const { g_object_unref(layout); }
};
using Layout = std::unique_ptr<PangoLayout, LayoutDeleter>;

// One reusable text layout per face: body, bold, oblique, bold oblique.
// Digits are asked for in their tabular (equal width) form.
class Typesetter {
 public:
  explicit Typesetter(cairo_t* cr) : cr_(cr) {}

  Layout Make(const char* font, bool bold, bool oblique) const {
    Layout layout(pango_cairo_create_layout(cr_));
    PangoFontDescription* desc = pango_font_description_from_string(font);
    if (bold) pango_font_description_set_weight(desc, PANGO_WEIGHT_BOLD);
    if (oblique) pango_font_description_set_style(desc, PANGO_STYLE_OBLIQUE);
    pango_layout_set_font_description(layout.get(), desc);
    pango_font_description_free(desc);
    PangoAttrList* attrs = pango_attr_list_new();
    pango_attr_list_insert(attrs, pango_attr_font_features_new("tnum 1"));
    pango_layout_set_attributes(layout.get(), attrs);
    pango_attr_list_unref(attrs);
    return layout;
  }

  static double Width(PangoLayout* layout, const std::string& text) {
    pango_layout_set_width(layout, -1);
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    int w = 0, h = 0;
    pango_layout_get_size(layout, &w, &h);
    return Pt(w);
  }

  // The widest single word: a title may wrap between words, never inside one.
  static double WidestWord(PangoLayout* layout, const std::string& text) {
    double widest = 0;
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find(' ', start);
      if (end == std::string::npos) end = text.size();
      if (end > start) widest = std::max(widest, Width(layout, text.substr(start, end - start)));
      start = end + 1;
    }
    return widest;
  }

  // Draws `text` in a box `width` wide at (x, y); one line, cut with an
  // ellipsis when too long, unless `wrap` (then it breaks between words).
  void Draw(PangoLayout* layout, const std::string& text, double x, double y, double width, bool right = false,
            bool wrap = false) const {
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_ellipsize(layout, wrap ? PANGO_ELLIPSIZE_NONE : PANGO_ELLIPSIZE_END);
    pango_layout_set_alignment(layout, right ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT);
    cairo_move_to(cr_, x, y);
    pango_cairo_show_layout(cr_, layout);
  }

  static double Height(PangoLayout* layout, const std::string& text, double width) {
    pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
    pango_layout_set_width(layout, static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD);
    pango_layout_set_ellipsize(layout, PANGO_ELLIPSIZE_NONE);
    int w = 0, h = 0;
    pango_layout_get_size(layout, &w, &h);
    return Pt(h);
  }

 private:
  cairo_t* cr_;
};

struct Faces {
  Layout body, bold, oblique, boldOblique, title;
  explicit Faces(const Typesetter& t)
      : body(t.Make(kBodyFont, false, false)),
        bold(t.Make(kBodyFont, true, false)),
        oblique(t.Make(kBodyFont, false, true)),
        boldOblique(t.Make(kBodyFont, true, true)),
        title(t.Make(kTitleFont, false, false)) {}
  PangoLayout* For(bool strong, bool inactive) const {
    if (strong) return inactive ? boldOblique.get() : bold.get();
    return inactive ? oblique.get() : body.get();
  }
};

// Column x positions and widths of one kind of line.
struct ColumnGrid {
  std::vector<double> x, width;
  double Right() const { return x.empty() ? 0 : x.back() + width.back(); }
};

// Widths from the titles and the widest cell; a title keeps one line when
// the page allows, else wraps between words. Columns still too wide for
// the page give up room down to their title's widest word (cells then end
// in an ellipsis).
ColumnGrid LayOutColumns(const std::vector<ReportDocumentColumn>& columns, const std::vector<const ReportLine*>& lines,
                         PangoLayout* cellFace, PangoLayout* titleFace, double left, double available) {
  ColumnGrid grid;
  std::vector<double> cell(columns.size(), 0), title(columns.size()), word(columns.size());
  for (const ReportLine* line : lines)
    for (size_t i = 0; i < columns.size() && i < line->Cells.size(); ++i)
      if (!line->Cells[i].empty()) cell[i] = std::max(cell[i], Typesetter::Width(cellFace, line->Cells[i]));
  double total = 0, floor = 0;
  for (size_t i = 0; i < columns.size(); ++i) {
    title[i] = Typesetter::Width(titleFace, columns[i].Caption);
    word[i] = Typesetter::WidestWord(titleFace, columns[i].Caption);
    grid.width.push_back(std::max(title[i], cell[i]) + kCellGap);
    total += grid.width.back();
    floor += word[i] + kCellGap;
  }
  if (total > available) {
    // First let titles wrap between words, then squeeze the cells.
    for (size_t i = 0; i < columns.size(); ++i) grid.width[i] = std::max(word[i], cell[i]) + kCellGap;
    total = 0;
    for (double w : grid.width) total += w;
    if (total > available) {
      const double spare = total - floor, want = total - available;
      for (size_t i = 0; i < columns.size(); ++i) {
        const double give = grid.width[i] - (word[i] + kCellGap);
        grid.width[i] -= spare > 0 ? give * std::min(1.0, want / spare) : 0;
      }
    }
  }
  double x = left;
  for (double w : grid.width) {
    grid.x.push_back(x);
    x += w;
  }
  return grid;
}

// What a page holds: lines of the body, by group and detail index
// (detail -1 is the group's own line, repeated at the top of a page when
// its details run over).
struct PlacedLine {
  size_t group;
  int detail;
};
struct Page {
  std::vector<PlacedLine> lines;
  bool totals = false;
};

std::vector<Page> Paginate(const ReportDocument& doc, int rowsPerPage) {
  std::vector<Page> pages(1);
  int used = 0;
  auto newPage = [&] {
    pages.emplace_back();
    used = 0;
  };
  for (size_t g = 0; g < doc.Groups.size(); ++g) {
    const int size = 1 + static_cast<int>(doc.Groups[g].Details.size());
    // A group starts on a fresh page rather than be split, when it fits one.
    if (used > 0 && used + size > rowsPerPage && size <= rowsPerPage) newPage();
    pages.back().lines.push_back({g, -1});
    ++used;
    for (size_t d = 0; d < doc.Groups[g].Details.size(); ++d) {
      if (used >= rowsPerPage) {
        newPage();
        pages.back().lines.push_back({g, -1});
        ++used;
      }
      pages.back().lines.push_back({g, static_cast<int>(d)});
      ++used;
    }
  }
  if (used + 2 > rowsPerPage) newPage();
  pages.back().totals = true;
  return pages;
}

std::string Markup(const std::string& text) {
  char* escaped = g_markup_escape_text(text.c_str(), static_cast<gssize>(text.size()));
  std::string out(escaped);
  g_free(escaped);
  return out;
}

// The whole typesetting, on any cairo surface whose unit is the point.
class ReportTypesetting {
 public:
  ReportTypesetting(const ReportDocument& doc, cairo_t* cr) : doc_(doc), cr_(cr), type_(cr), faces_(type_) {
    const double width = kPageWidth - 2 * kMargin;
    std::vector<const ReportLine*> heads, details;
    for (const auto& group : doc.Groups) {
      heads.push_back(&group.Head);
      for (const auto& line : group.Details) details.push_back(&line);
    }
    const double left = kMargin + kGutter;
    head_ = LayOutColumns(doc.HeadColumns, heads, faces_.boldOblique.get(), faces_.bold.get(), left,
                          width - kGutter);
    detail_ = LayOutColumns(doc.DetailColumns, details, faces_.oblique.get(), faces_.bold.get(), left + kIndent,
                            width - kGutter - kIndent);

    Layout info = HeadingLayout(width);
    int w = 0, h = 0;
    pango_layout_get_size(info.get(), &w, &h);
    headingHeight_ = Typesetter::Height(faces_.title.get(), doc.Title, width) + 3 + Pt(h) + 6;

    headTitles_ = TitleRowHeight(doc.HeadColumns, head_);
    detailTitles_ = doc.DetailColumns.empty() ? 0 : TitleRowHeight(doc.DetailColumns, detail_);
    const double top = kMargin + headingHeight_ + headTitles_ + detailTitles_ + 6;
    const double bottom = kPageHeight - kMargin - 16;
    rowsPerPage_ = std::max(3, static_cast<int>((bottom - top) / kRowHeight));
    bodyTop_ = top;
    pages_ = Paginate(doc, rowsPerPage_);
  }

  int PageCount() const { return static_cast<int>(pages_.size()); }

  void DrawPage(int index) {
    const Page& page = pages_[index];
    DrawHeading();
    double y = DrawColumnTitles();
    for (const PlacedLine& placed : page.lines) {
      const auto& group = doc_.Groups[placed.group];
      if (placed.detail < 0) {
        if (&placed != &page.lines.front()) Rule(y + 0.6, 0.3, 0.55);
        DrawLine(group.Head, head_, doc_.HeadColumns, y, true);
      } else {
        DrawLine(group.Details[placed.detail], detail_, doc_.DetailColumns, y, false);
      }
      y += kRowHeight;
    }
    if (page.totals) DrawTotals(y + 3);
    DrawFooter(index);
  }

 private:
  std::string HeadingMarkup() const {
    std::string markup;
    for (const auto& [label, value] : doc_.Heading) {
      if (!markup.empty()) markup += "      ";
      markup += "<b>" + Markup(label) + ":</b>\u00A0" + Markup(value);
    }
    return markup;
  }

  // The context lines under the title, wrapped between items.
  Layout HeadingLayout(double width) const {
    Layout info = type_.Make(kBodyFont, false, false);
    pango_layout_set_markup(info.get(), HeadingMarkup().c_str(), -1);
    pango_layout_set_width(info.get(), static_cast<int>(width * PANGO_SCALE));
    pango_layout_set_wrap(info.get(), PANGO_WRAP_WORD);
    return info;
  }

  double TitleRowHeight(const std::vector<ReportDocumentColumn>& columns, const ColumnGrid& grid) const {
    double height = kRowHeight;
    for (size_t i = 0; i < columns.size(); ++i)
      height = std::max(height, Typesetter::Height(faces_.bold.get(), columns[i].Caption, grid.width[i] - kCellGap) + 1.5);
    return height;
  }

  void Rule(double y, double width, double gray) const {
    cairo_save(cr_);
    cairo_set_source_rgb(cr_, gray, gray, gray);
    cairo_set_line_width(cr_, width);
    cairo_move_to(cr_, kMargin, y);
    cairo_line_to(cr_, kPageWidth - kMargin, y);
    cairo_stroke(cr_);
    cairo_restore(cr_);
  }

  void DrawHeading() const {
    const double width = kPageWidth - 2 * kMargin;
    type_.Draw(faces_.title.get(), doc_.Title, kMargin, kMargin, width);
    const double titleHeight = Typesetter::Height(faces_.title.get(), doc_.Title, width) + 3;
    Layout info = HeadingLayout(width);
    cairo_move_to(cr_, kMargin, kMargin + titleHeight);
    pango_cairo_show_layout(cr_, info.get());
    Rule(kMargin + headingHeight_ - 2, 0.8, 0);
  }

  double DrawColumnTitles() const {
    double y = kMargin + headingHeight_;
    for (size_t i = 0; i < doc_.HeadColumns.size(); ++i)
      type_.Draw(faces_.bold.get(), doc_.HeadColumns[i].Caption, head_.x[i], y, head_.width[i] - kCellGap,
                 doc_.HeadColumns[i].AlignRight, true);
    y += headTitles_;
    for (size_t i = 0; i < doc_.DetailColumns.size(); ++i)
      type_.Draw(faces_.bold.get(), doc_.DetailColumns[i].Caption, detail_.x[i], y, detail_.width[i] - kCellGap,
                 doc_.DetailColumns[i].AlignRight, true);
    y += detailTitles_;
    Rule(y + 1.5, 0.6, 0);
    return bodyTop_;
  }

  void DrawLine(const ReportLine& line, const ColumnGrid& grid, const std::vector<ReportDocumentColumn>& columns,
                double y, bool strong) const {
    // Group lines are bold only when the report groups at all.
    PangoLayout* face = faces_.For(strong && !doc_.DetailColumns.empty(), line.Inactive);
    if (line.Inactive) type_.Draw(faces_.bold.get(), kInactiveMark, grid.x.front() - kGutter, y, kGutter);
    for (size_t i = 0; i < columns.size() && i < line.Cells.size(); ++i)
      type_.Draw(face, line.Cells[i], grid.x[i], y, grid.width[i] - kCellGap, columns[i].AlignRight);
  }

  void DrawTotals(double y) const {
    Rule(y - 1.5, 0.6, 0);
    std::string text = "Total de " + Lower(doc_.GroupNoun) + ": " + std::to_string(doc_.Groups.size());
    if (!doc_.DetailColumns.empty())
      text += "      Total de " + Lower(doc_.DetailNoun) + ": " + std::to_string(doc_.DetailCount);
    type_.Draw(faces_.bold.get(), text, kMargin, y + 1, kPageWidth - 2 * kMargin);
  }

  void DrawFooter(int index) const {
    const double y = kPageHeight - kMargin - 10;
    Rule(y - 2, 0.4, 0);
    std::string left = doc_.Title + " — " + doc_.ReportCode;
    bool anyInactive = false;
    for (const auto& group : doc_.Groups) {
      anyInactive = anyInactive || group.Head.Inactive;
      for (const auto& line : group.Details) anyInactive = anyInactive || line.Inactive;
    }
    if (anyInactive) left += std::string("      ") + kInactiveMark + " inativo (em itálico)";
    const double width = kPageWidth - 2 * kMargin;
    type_.Draw(faces_.body.get(), left, kMargin, y, width * 0.7);
    type_.Draw(faces_.body.get(), "Página " + std::to_string(index + 1) + " de " + std::to_string(PageCount()),
               kMargin, y, width, true);
  }

  // Lower case for the nouns of the totals ("Vôos" -> "vôos"); ASCII
  // letters are enough for their first letter.
  static std::string Lower(std::string text) {
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
  }

  const ReportDocument& doc_;
  cairo_t* cr_;
  Typesetter type_;
  Faces faces_;
  ColumnGrid head_, detail_;
  double headingHeight_ = 0, headTitles_ = 0, detailTitles_ = 0, bodyTop_ = 0;
  int rowsPerPage_ = 0;
  std::vector<Page> pages_;
};

cairo_status_t Finish(cairo_surface_t* surface, cairo_t* cr) {
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const cairo_status_t status = cairo_surface_status(surface);
  cairo_surface_destroy(surface);
  return status;
}

}  // namespace

void WriteReportPdf(const ReportDocument& document, const std::string& path) {
  cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), kPageWidth, kPageHeight);
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, document.Title.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_SUBJECT, document.ReportCode.c_str());
  cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "zor12200");
  cairo_t* cr = cairo_create(surface);
  {
    ReportTypesetting typesetting(document, cr);
    for (int page = 0; page < typesetting.PageCount(); ++page) {
      typesetting.DrawPage(page);
      cairo_show_page(cr);
    }
  }
  const cairo_status_t status = Finish(surface, cr);
  if (status != CAIRO_STATUS_SUCCESS)
    throw plat::Exception("Não foi possível gravar o relatório em '" + path + "': " + cairo_status_to_string(status) +
                          ".");
}

}  // namespace zor::flight_report
