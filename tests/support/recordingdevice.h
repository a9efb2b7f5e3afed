// A page that remembers the texts painted on it and where, instead of rendering them.
// At 254 dots per inch one dot is a tenth of a millimetre, so positions read directly.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <memory>
#include <vector>

namespace velmora::testing {

struct PaintedText {
    QPointF topLeft;  // in tenths of a millimetre from the device's origin
    QString text;
    QFont font;
};

class RecordingEngine : public QPaintEngine {
  public:
    RecordingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& baseline, const QTextItem& item) override {
        const QPointF point = painter()->combinedTransform().map(baseline);
        const qreal ascent = QFontMetricsF(item.font(), painter()->device()).ascent();
        texts.push_back({point - QPointF(0, ascent), item.text(), item.font()});
    }
    Type type() const override { return QPaintEngine::User; }

    std::vector<PaintedText> texts;
};

class RecordingDevice : public QPaintDevice {
  public:
    static constexpr int kDotsPerInch = 254;

    // The paintable part of a page: all of it in full-page mode, else inside the margins.
    explicit RecordingDevice(const QPageLayout& layout)
        : size_(layout.paintRectPixels(kDotsPerInch).size()) {}

    QPaintEngine* paintEngine() const override { return &engine_; }
    const std::vector<PaintedText>& Texts() const { return engine_.texts; }

  protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return size_.width();
            case PdmHeight:
                return size_.height();
            case PdmWidthMM:
                return size_.width() / 10;
            case PdmHeightMM:
                return size_.height() / 10;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return kDotsPerInch;
            case PdmDepth:
                return 32;
            case PdmNumColors:
                return 256;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            default:
                return 0;
        }
    }

  private:
    QSize size_;
    mutable RecordingEngine engine_;
};

}  // namespace velmora::testing
