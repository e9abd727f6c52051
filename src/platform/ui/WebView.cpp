#include "platform/ui/WebView.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QRegularExpression>
#include <QTextDocument>
#include <QVariant>

#include "platform/graphics/GraphicsContext.h"

namespace {

// A document that refuses every resource, so markup cannot reach files or the network.
class OfflineDocument : public QTextDocument {
protected:
    QVariant loadResource(int, const QUrl&) override { return {}; }
};

QString withoutActiveContent(const std::string& html) {
    QString text = QString::fromStdString(html);
    static const QRegularExpression scripts(
        QStringLiteral("<script\\b[^>]*>.*?</script\\s*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression loose(
        QStringLiteral("<script\\b[^>]*>.*"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    text.remove(scripts);
    text.remove(loose);
    return text;
}

}  // namespace

WebView::WebView() : WebView(Rect{}) {}

WebView::WebView(const Rect& frame)
    : ScrollView(frame), m_document(std::make_unique<OfflineDocument>()) {
    m_document->setDocumentMargin(8);
    setBackgroundColor(Color::whiteColor());
}

WebView::~WebView() = default;

void WebView::loadHTMLString(const std::string& html, const std::string&) {
    QFont font = Font::system(16).toQFont();
    m_document->setDefaultFont(font);
    m_document->setHtml(withoutActiveContent(html));
    m_laidOutWidth = -1;
    setContentOffset(minimumContentOffset());
    setNeedsLayout();
    setNeedsDisplay();
}

std::string WebView::plainText() const {
    return m_document->toPlainText().toStdString();
}

void WebView::layoutSubviews() {
    ScrollView::layoutSubviews();
    double width = bounds().width;
    if (width != m_laidOutWidth) {
        m_laidOutWidth = width;
        m_document->setTextWidth(width);
        setContentSize({width, m_document->size().height()});
    }
}

void WebView::draw(GraphicsContext& context, const Rect& rect) {
    QPainter& painter = context.painter();
    painter.save();
    QAbstractTextDocumentLayout::PaintContext paint;
    paint.clip = QRectF(rect.x, rect.y, rect.width, rect.height);
    m_document->documentLayout()->draw(&painter, paint);
    painter.restore();
    ScrollView::draw(context, rect);
}
