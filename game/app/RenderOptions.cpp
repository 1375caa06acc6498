// The render scale read from the command line.
#include "game/app/RenderOptions.h"

RenderOptions RenderOptions::parse(const QStringList& arguments) {
    RenderOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        QString value;
        const QString& a = arguments[i];
        if (a.startsWith(QLatin1String("--render-scale="))) {
            value = a.mid(a.indexOf('=') + 1);
        } else if (a == QLatin1String("--render-scale")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--render-scale needs auto or a scale");
                return options;
            }
            value = arguments[++i];
        } else {
            continue; // the network's options and Qt's own are read elsewhere
        }
        if (value == QLatin1String("auto")) {
            options.automatic = true;
            continue;
        }
        bool ok = false;
        const double scale = value.toDouble(&ok);
        if (!ok || !(scale >= 0.25 && scale <= 1.0)) {
            options.error =
                QStringLiteral("not a render scale (auto, or 0.25 to 1): %1").arg(value);
            return options;
        }
        options.automatic = false;
        options.scale = scale;
    }
    return options;
}
