// Ajustes de dibujo: los valores por defecto y los del archivo.
#include <cmath>
#include <iostream>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

namespace {

constexpr std::array tablaDeAjustes{
    ajusteDibujo{"precision:", 3, &precision, nullptr},
    ajusteDibujo{"escalaTexto:", 0.15, nullptr, &escalaTexto},
    ajusteDibujo{"escalaDeflexion:", 100, nullptr, &escalaDef},
    ajusteDibujo{"escalaMy:", 0.02, nullptr, &escalaMy},
    ajusteDibujo{"escalaMz:", 0.02, nullptr, &escalaMz},
    ajusteDibujo{"escalaVy:", 0.05, nullptr, &escalaVy},
    ajusteDibujo{"escalaVz:", 0.05, nullptr, &escalaVz},
    ajusteDibujo{"escalaN:", 0.01, nullptr, &escalaN},
    ajusteDibujo{"escalaT:", 0.01, nullptr, &escalaT},
    ajusteDibujo{"escalaApoyo:", 0, nullptr, &escalaApoyo},
    ajusteDibujo{"escalaCarga:", 0.1, nullptr, &escalaCarga},
};

// Decimales que el visor puede escribir
const int precisionMaxima = 15;

// Un ajuste escrito más de una vez: vale el último, y se dice
void avisarRepetido(lecturaArchivo& c, const char* etiqueta, const valorLeido& v)
{
    if (v.apariciones.size() < 2) {
        return;
    }
    std::vector<int> lineas;
    for (const std::pair<size_t, size_t>& a : v.apariciones) {
        lineas.push_back(c.lector.getLinea(a.first));
    }
    std::cout << "Advertencia: la etiqueta " << etiqueta << " aparece " << lineas.size()
              << " veces (" << claseLeerArchivo::listaDeLineas(lineas) << "); vale la última"
              << std::endl;
}

// precision: decimales de 0 a precisionMaxima; -1 deja el valor por defecto
void leerDecimales(lecturaArchivo& c, const ajusteDibujo& a)
{
    const char* etiqueta = a.etiqueta;
    valorLeido v = c.lector.getValor(etiqueta, claseValor::entero);
    avisarRepetido(c, etiqueta, v);
    if (!v.valido) {
        return;
    }
    int p = static_cast<int>(v.valor);
    std::string valor = c.lector.describir(v.token);
    if (p < -1) {
        std::cout << "Advertencia: el valor " << valor
                  << " de la etiqueta " << etiqueta << " es negativo; se usan 0 decimales"
                  << std::endl;
        *a.decimales = 0;
    } else if (p > precisionMaxima) {
        std::cout << "Advertencia: el valor " << valor << " de la etiqueta " << etiqueta
                  << " pasa de " << precisionMaxima << "; se usan " << precisionMaxima
                  << " decimales" << std::endl;
        *a.decimales = precisionMaxima;
    } else if (p != -1) {
        if (v.escrito != v.valor) {
            std::cout << "Advertencia: el valor " << valor << " de la etiqueta " << etiqueta
                      << " no es entero; se usan " << p << " decimales" << std::endl;
        }
        *a.decimales = p;
    }
}

// Una escala: solo un valor mayor que 0 reemplaza al de omisión
void leerEscala(lecturaArchivo& c, const ajusteDibujo& a)
{
    valorLeido v = c.lector.getValor(a.etiqueta, claseValor::real);
    avisarRepetido(c, a.etiqueta, v);
    if (v.valido && v.valor > 0) {
        *a.escala = v.valor;
    }
}

}  // namespace

// De inicialización constante: otros archivos la leen al iniciar
constexpr tablaFija<ajusteDibujo> ajustesDibujo = tablaDe(tablaDeAjustes);

void leerAjustes(lecturaArchivo& c)
{
    for (const ajusteDibujo& a : ajustesDibujo) {
        if (a.decimales) {
            *a.decimales = static_cast<int>(a.defecto);
        } else {
            *a.escala = a.defecto;
        }
    }
    for (const ajusteDibujo& a : ajustesDibujo) {
        if (a.decimales) {
            leerDecimales(c, a);
        } else {
            leerEscala(c, a);
        }
    }
}

}  // namespace lectura
