// Ajustes de dibujo: los valores por defecto y los del archivo.
#include <cmath>
#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

const ajusteDibujo ajustesDibujo[cantidadDeAjustes] = {
    {"precision:", nullptr, 3},           {"escalaTexto:", &escalaTexto, 0.15},
    {"escalaDeflexion:", &escalaDef, 100}, {"escalaMy:", &escalaMy, 0.02},
    {"escalaMz:", &escalaMz, 0.02},        {"escalaVy:", &escalaVy, 0.05},
    {"escalaVz:", &escalaVz, 0.05},        {"escalaN:", &escalaN, 0.01},
    {"escalaT:", &escalaT, 0.01},          {"escalaApoyo:", &escalaApoyo, 0},
    {"escalaCarga:", &escalaCarga, 0.1},
};

namespace {

// Decimales que el visor puede escribir
const int precisionMaxima = 15;

// Un ajuste escrito más de una vez: vale el último, y se dice
void avisarRepetido(lecturaArchivo& c, const char* etiqueta, const valorLeido& v)
{
    if (v.apariciones.size() < 2) {
        return;
    }
    std::vector<int> lineas;
    for (size_t k = 0; k < v.apariciones.size(); k++) {
        lineas.push_back(c.lector.getLinea(v.apariciones[k].first));
        if (k + 1 < v.apariciones.size()) {
            c.lector.marcarNombrado(v.apariciones[k].first);
            c.lector.marcarNombrado(v.apariciones[k].second);
        }
    }
    std::cout << "Advertencia: la etiqueta " << etiqueta << " aparece " << lineas.size()
              << " veces (" << claseLeerArchivo::listaDeLineas(lineas) << "); vale la última"
              << std::endl;
}

void leerPrecision(lecturaArchivo& c, const char* etiqueta)
{
    valorLeido v = c.lector.getValor(etiqueta, claseValor::entero);
    avisarRepetido(c, etiqueta, v);
    if (!v.valido) {
        return;
    }
    int p = static_cast<int>(v.valor);
    std::string valor = c.lector.describir(v.token);
    if (p < -1) {
        std::cout << "Advertencia: el valor " << valor
                  << " de la etiqueta precision: es negativo; se usan 0 decimales" << std::endl;
        precision = 0;
    } else if (p > precisionMaxima) {
        std::cout << "Advertencia: el valor " << valor << " de la etiqueta precision: pasa de "
                  << precisionMaxima << "; se usan " << precisionMaxima << " decimales"
                  << std::endl;
        precision = precisionMaxima;
    } else if (p != -1) {
        if (v.escrito != v.valor) {
            std::cout << "Advertencia: el valor " << valor
                      << " de la etiqueta precision: no es entero; se usan " << p << " decimales"
                      << std::endl;
        }
        precision = p;
    }
}

}  // namespace

void leerAjustes(lecturaArchivo& c)
{
    precision = static_cast<int>(ajustesDibujo[0].defecto);
    for (const ajusteDibujo& a : ajustesDibujo) {
        if (a.global) {
            *a.global = a.defecto;
        }
    }
    leerPrecision(c, ajustesDibujo[0].etiqueta);
    for (const ajusteDibujo& a : ajustesDibujo) {
        if (!a.global) {
            continue;
        }
        valorLeido v = c.lector.getValor(a.etiqueta, claseValor::real);
        avisarRepetido(c, a.etiqueta, v);
        if (v.valido && v.valor > 0) {
            *a.global = v.valor;
        }
    }
}

}  // namespace lectura
