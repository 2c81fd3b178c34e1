// Primitivas de dibujo: flecha, arco, textos y números con fuente de trazos,
// por las tandas de lotePlot.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/lotePlot.h"

namespace {

// 152.38 unidades de la fuente son h unidades del modelo
const double factorAltura = 0.006562541015881349;
// Avance supuesto por byte, en unidades de la fuente
const double anchoCaracter = 104.76;
// Cabeza de las flechas que sigue a la cámara: distCamObj / 75
const double cabezaPorDistancia = 1.0 / 75;

// Corrimiento hacia atrás según la alineación (1 izquierda, 2 centro, 3 derecha)
double corrimientoAlineacion(double w, int alineacion)
{
    if (alineacion == 2) return -w / 2;
    if (alineacion == 3) return -w;
    return 0;
}

// Empuja la matriz, va al punto y escala a la altura pedida
void abrirMarcoTexto(double x, double y, double z, double h)
{
    float s = static_cast<float>(h * factorAltura);
    loteEmpujarMatriz();
    loteTrasladar(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    loteEscalar(s, s, s);
    loteEmpujarMatriz();
}

void cerrarMarcoTexto()
{
    loteSacarMatriz();
    loteSacarMatriz();
}

// Cuatro púas desde la punta: h a lo largo del tallo y h/3 fuera de él
void trazarCabeza(double h)
{
    float hf = static_cast<float>(h);
    float h3 = static_cast<float>(h / 3);
    loteComenzar(GL_LINES);
    loteVertice(0, 0, 0);
    loteVertice(hf, h3, 0);
    loteVertice(0, 0, 0);
    loteVertice(hf, -h3, 0);
    loteVertice(0, 0, 0);
    loteVertice(hf, 0, h3);
    loteVertice(0, 0, 0);
    loteVertice(hf, 0, -h3);
    loteTerminar();
}

// Tallo y cabeza de tamaño h, o de distCamObj / 75 con la cámara de cada cuadro
// (entonces h no se usa)
enum class Cabeza { fija, sigueCamara };
void trazarFlecha(double x1, double y1, double z1, double x2, double y2, double z2, double h,
                  Cabeza cabeza)
{
    LoteDibujo lote;
    double L = std::pow((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2) + (z1 - z2) * (z1 - z2), 0.5);
    loteComenzar(GL_LINES);
    loteVertice(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(z1));
    loteVertice(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(z2));
    loteTerminar();
    // Sin largo no hay dirección: solo el tallo (un punto), sin cabeza
    if (!(L > 0) || !std::isfinite(L)) return;
    double sb = (z1 - z2) / L;
    if (sb > 1) sb = 1;
    if (sb < -1) sb = -1;
    double beta = -std::asin(sb);
    double gamma = 0;
    if (std::fabs(beta) != PI / 2) {
        double c = (x1 - x2) / (L * std::cos(beta));
        if (c > 1) c = 1;
        if (c < -1) c = -1;
        gamma = std::acos(c);
    }
    if (y1 - y2 < 0) gamma = -gamma;
    loteEmpujarMatriz();
    loteTrasladar(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(z2));
    loteGirar(static_cast<float>(gamma * 180 / PI), 0, 0, 1);
    loteGirar(static_cast<float>(beta * 180 / PI), 0, 1, 0);
    if (cabeza == Cabeza::sigueCamara) {
        loteEscalarConCamara(cabezaPorDistancia);
        trazarCabeza(1);
    } else {
        trazarCabeza(h);
    }
    loteSacarMatriz();
}

using FuncionTexto = void (*)(double, double, double, const char*, double, int);

// Número dibujado con la función de texto dada
void dibujarNumero(FuncionTexto dibujar, double x, double y, double z, double v, int p,
                   char notacion, double h, int alineacion)
{
    dibujar(x, y, z, textoNumero(v, p, notacion).c_str(), h, alineacion);
}

}  // namespace

std::string textoNumero(double v, int p, char notacion)
{
    if (p < 0) p = 0;
    char formato[20];
    const char* plantilla = notacion == 'e' ? "%%.%de" : "%%.%df";
    std::snprintf(formato, sizeof formato, plantilla, p);
    char texto[100];
    std::snprintf(texto, sizeof texto, formato, v);
    // "-0.000" o "-0.000e+00": la mantisa es toda ceros, el signo sobra
    if (texto[0] == '-') {
        const char* c = texto + 1;
        while (*c == '0' || *c == '.') c++;
        if (c > texto + 1 && (*c == '\0' || *c == 'e')) return texto + 1;
    }
    return texto;
}

double radioTexto(const std::string& texto, double h, int renglon)
{
    // Ancho supuesto entero a un lado del ancla; las letras, con sus colas,
    // no pasan de 1.2 h de alto, más los renglones que bajan
    double w = anchoCaracter * static_cast<double>(texto.size()) * h * factorAltura;
    return std::hypot(w, (1.2 + renglon) * h);
}

void drawFlecha(double x1, double y1, double z1, double x2, double y2, double z2, double h)
{
    trazarFlecha(x1, y1, z1, x2, y2, z2, h, Cabeza::fija);
}

void drawFlechaCamara(double x1, double y1, double z1, double x2, double y2, double z2)
{
    trazarFlecha(x1, y1, z1, x2, y2, z2, 0, Cabeza::sigueCamara);
}

void plotArcoXY(double r, double a0, double a1)
{
    LoteDibujo lote;
    double t0 = a0 * PI / 180;
    double paso = (a1 * PI / 180 - t0) / 10;
    loteComenzar(GL_LINE_STRIP);
    for (int i = 0; i <= 10; i++) {
        double t = t0 + i * paso;
        loteVertice(static_cast<float>(r * std::cos(t)), static_cast<float>(r * std::sin(t)), 0.0f);
    }
    loteTerminar();
}

void drawTextoEscalado(double x, double y, double z, const char* texto, double h, int alineacion)
{
    if (texto == nullptr) return;
    LoteDibujo lote;
    double w = anchoCaracter * static_cast<double>(std::strlen(texto));
    abrirMarcoTexto(x, y, z, h);
    double d = corrimientoAlineacion(w, alineacion);
    if (d != 0) loteTrasladar(static_cast<float>(d), 0, 0);
    loteTexto(texto);
    cerrarMarcoTexto();
}

void drawTextoEscaladoFacing(double x, double y, double z, const char* texto, double h,
                             int alineacion)
{
    textoDeCaraEnRenglon(x, y, z, texto, h, alineacion, 0);
}

void textoDeCaraEnRenglon(double x, double y, double z, const char* texto, double h,
                          int alineacion, int renglon)
{
    if (texto == nullptr) return;
    LoteDibujo lote;
    double w = anchoCaracter * static_cast<double>(std::strlen(texto));
    abrirMarcoTexto(x, y, z, h);
    loteGirarHaciaCamara();
    // Corrimientos ya girados: centra sobre el ancla y baja los renglones en
    // la pantalla desde cualquier vista (un renglón: h, 1 / factorAltura
    // unidades de la fuente)
    double d = corrimientoAlineacion(w, alineacion);
    double abajo = -renglon / factorAltura;
    if (d != 0 || abajo != 0) loteTrasladar(static_cast<float>(d), static_cast<float>(abajo), 0);
    loteTexto(texto);
    cerrarMarcoTexto();
}

void drawNumFloat(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscalado, x, y, z, v, p, 'f', h, alineacion);
}

void drawNumFloatFacing(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscaladoFacing, x, y, z, v, p, 'f', h, alineacion);
}

void drawNumSci(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscalado, x, y, z, v, p, 'e', h, alineacion);
}

void drawNumSciFacing(double x, double y, double z, double v, int p, double h, int alineacion)
{
    dibujarNumero(drawTextoEscaladoFacing, x, y, z, v, p, 'e', h, alineacion);
}
