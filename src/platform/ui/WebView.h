#pragma once

// Shows simple HTML as formatted text (paragraphs, line breaks, bold, colours, font sizes,
// inline styles), scrolling when it is taller than the view. It never runs scripts and never
// loads anything: images and other resources stay out. Owned by its superview. Main thread.

#include <memory>
#include <string>

#include "platform/ui/ScrollView.h"

class QTextDocument;

class WebView : public ScrollView {
public:
    WebView();
    explicit WebView(const Rect& frame);
    ~WebView() override;

    // The base URL is accepted for the callers' sake; nothing is fetched from it.
    void loadHTMLString(const std::string& html, const std::string& baseURL = "");
    // The text as shown, without markup.
    std::string plainText() const;

    void layoutSubviews() override;
    void draw(GraphicsContext& context, const Rect& rect) override;

private:
    std::unique_ptr<QTextDocument> m_document;
    double m_laidOutWidth = -1;
};
