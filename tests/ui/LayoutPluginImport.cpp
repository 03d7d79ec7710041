#include <QtQml/qqmlextensionplugin.h>

// The views draw their results with Pelmora.Layout: a test that loads them but imports only
// the Pelmora plugin itself links this file, pelmora_layout and pelmora_layoutplugin.
Q_IMPORT_QML_PLUGIN(Pelmora_LayoutPlugin)
