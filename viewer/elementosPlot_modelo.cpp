// Dibujos del modelo: ejes, nudos, barras, articulaciones, números,
// secciones y volumen.
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"
#include "viewer/lotePlot.h"

namespace {

// Punto k del contorno en la abscisa x del marco de la barra
void verticeContorno(const MatrixXd& c, Eigen::Index k, double x)
{
    loteVertice(aFloat(x), aFloat(c(1, k)), aFloat(c(0, k)));
}

// Contorno en la abscisa x, como tramos sueltos entre puntos seguidos, en el
// color dado o en el actual
void trazarContorno(const MatrixXd& c, double x, const Color* color = nullptr)
{
    loteComenzar(GL_LINES);
    if (color) loteColor(*color);
    for (Eigen::Index k = 0; k + 1 < c.cols(); k++) {
        verticeContorno(c, k, x);
        verticeContorno(c, k + 1, x);
    }
    loteTerminar();
}

// Esquinas de la cara lateral k del sólido: del punto k al k + 1, de x = 0 a x = L
void esquinaCara(const MatrixXd& c, Eigen::Index k, double L, int esquina)
{
    const Eigen::Index punto[4] = {k, k + 1, k + 1, k};
    const double x[4] = {0, 0, L, L};
    verticeContorno(c, punto[esquina], x[esquina]);
}

// La cara como los dos triángulos (0, 1, 2) y (0, 2, 3) en que Mesa parte el
// cuadrilátero al dibujarlo directamente
void caraLateral(const MatrixXd& c, Eigen::Index k, double L, const Color& color)
{
    loteComenzar(GL_TRIANGLES);
    loteColor(color);
    for (int esquina : {0, 1, 2, 0, 2, 3}) esquinaCara(c, k, L, esquina);
    loteTerminar();
}

void bordeCara(const MatrixXd& c, Eigen::Index k, double L, const Color& color)
{
    loteComenzar(GL_LINE_LOOP);
    loteColor(color);
    for (int esquina = 0; esquina < 4; esquina++) esquinaCara(c, k, L, esquina);
    loteTerminar();
}

Color colorRelleno(int tipo)
{
    switch (tipo) {
    case codigoSeccionGenerica: return {0.3f, 0.0f, 0.0f};
    case codigoSeccionRectangular: return {0.8f, 0.8f, 0.2f};
    case codigoSeccionCostanera: return {0.2f, 0.8f, 0.2f};
    case codigoSeccionW: return {0.8f, 0.2f, 0.8f};
    default: return {0.2f, 0.5f, 0.9f};  // placa y cualquier otro
    }
}

void ejeConLetra(double a, double dx, double dy, double dz, const char* letra)
{
    drawFlecha(0, 0, 0, a * dx, a * dy, a * dz, 0.1 * a);
    drawTextoEscaladoFacing(1.1 * a * dx, 1.1 * a * dy, 1.1 * a * dz, letra, a / 5, 2);
}

// Circulito de articulación en la abscisa x, en el plano x-y o girado al x-z
enum class Plano { xy, xz };
void circuloArticulacion(double x, double r, Plano plano)
{
    loteEmpujarMatriz();
    loteTrasladar(aFloat(x), 0, 0);
    if (plano == Plano::xz) loteGirar(90, 1, 0, 0);
    plotArcoXY(r, 0, 360);
    loteSacarMatriz();
}

// Las etiquetas van corridas distCamObj / 200 sobre cada eje global, así se
// separan del dibujo lo mismo con cualquier zoom; y delante del tramo a-b que
// nombran (la barra, o el nudo con su esfera), sin moverse en la pantalla, así
// no las tapa ni la columna que está justo debajo ni la barra vista de punta.
// Se saca con loteSacarMatriz.
void empujarCorrimientoEtiqueta(const Eigen::Vector3d& a, const Eigen::Vector3d& b,
                                double grosor, const std::string& texto, double h,
                                int renglon = 0)
{
    const double k = 1.0 / 200;
    loteEmpujarMatriz();
    loteDelanteDe(a, b, grosor, radioTexto(texto, h, renglon));
    loteTrasladarConCamara(k, k, k);
}

Eigen::Vector3d extremoInicial(objBarra3d& b) { return {b.getXi(), b.getYi(), b.getZi()}; }
Eigen::Vector3d extremoFinal(objBarra3d& b) { return {b.getXf(), b.getYf(), b.getZf()}; }

// Las esferas de los nudos
double radioEsferaNudo() { return diagonal / 300; }

// Barras sin sección que ya avisaron con el modelo cargado
std::vector<bool> avisoSinSeccion;

// true la primera vez que se pregunta por la barra i en este modelo
bool primerAvisoSinSeccion(int i)
{
    if (i >= static_cast<int>(avisoSinSeccion.size())) {
        avisoSinSeccion.resize(static_cast<size_t>(std::max(i + 1, cantidadBarras())), false);
    }
    if (avisoSinSeccion[static_cast<size_t>(i)]) return false;
    avisoSinSeccion[static_cast<size_t>(i)] = true;
    return true;
}

}  // namespace

void reiniciarAvisosSecciones() { avisoSinSeccion.clear(); }

void plotEjes()
{
    LoteDibujo lote;
    double a = diagonal / 15;
    loteAnchoLinea(1);
    loteEmpujarMatriz();
    loteTrasladar(aFloat(-a / 2), aFloat(-a / 2), 0);
    loteColor(1, 0, 0);
    ejeConLetra(a, 1, 0, 0, "X");
    loteColor(0, 1, 0);
    ejeConLetra(a, 0, 1, 0, "Y");
    loteColor(0, 0, 1);
    ejeConLetra(a, 0, 0, 1, "Z");
    loteSacarMatriz();
}

void plotNudos()
{
    LoteDibujo lote;
    if (!flagEncendido(flagNudos)) return;
    for (int i = 0; i < cantidadNudos(); i++) {
        if (!visible(nudosAislados, i)) continue;
        loteEmpujarMatriz();
        loteTrasladar(aFloat(nudo[i].getX()), aFloat(nudo[i].getY()), aFloat(nudo[i].getZ()));
        loteAnchoLinea(1);
        loteColor(0.7f, 0, 0);
        loteEsfera(radioEsferaNudo(), 12, 12);
        loteSacarMatriz();
    }
}

void plotBarras()
{
    LoteDibujo lote;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        loteAnchoLinea(3);
        loteComenzar(GL_LINES);
        if (b.getBoolSeccion()) {
            loteColor(0.5f, 0.5f, 0.5f);
        } else {
            loteColor(0.9f, 0.1f, 0.1f);
        }
        loteVertice(aFloat(b.getXi()), aFloat(b.getYi()), aFloat(b.getZi()));
        loteVertice(aFloat(b.getXf()), aFloat(b.getYf()), aFloat(b.getZf()));
        loteTerminar();
    }
}

void plotArticulaciones()
{
    LoteDibujo lote;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        // truncado hacia cero: 0.5 cuenta como articulado
        int iniY = static_cast<int>(b.getArtIniY());
        int finY = static_cast<int>(b.getArtFinY());
        int iniZ = static_cast<int>(b.getArtIniZ());
        int finZ = static_cast<int>(b.getArtFinZ());
        double r = diagonal / 300;
        double L = b.getLongitud();
        loteAnchoLinea(1);
        empujarMarcoBarra(b);
        loteColor(0.1f, 0.7f, 0.1f);
        if (iniY != 1) circuloArticulacion(0.05 * L, r, Plano::xy);
        if (finY != 1) circuloArticulacion(0.95 * L, r, Plano::xy);
        loteColor(0.1f, 0.7f, 0.7f);
        if (iniZ != 1) circuloArticulacion(0.05 * L, r, Plano::xz);
        if (finZ != 1) circuloArticulacion(0.95 * L, r, Plano::xz);
        loteSacarMatriz();
    }
}

void plotTagNudos(double h)
{
    LoteDibujo lote;
    for (int i = 0; i < cantidadNudos(); i++) {
        if (!visible(nudosAislados, i)) continue;
        objNudo3d& n = nudo[i];
        loteColor(0.9f, 0.2f, 0.2f);
        loteAnchoLinea(1);
        const Eigen::Vector3d p(n.getX(), n.getY(), n.getZ());
        const std::string numero = textoNumero(n.getNoNudoUsuario(), 0, 'f');
        empujarCorrimientoEtiqueta(p, p, radioEsferaNudo(), numero, h);
        drawNumFloatFacing(n.getX(), n.getY(), n.getZ(), n.getNoNudoUsuario(), 0, h, 1);
        loteSacarMatriz();
    }
}

void plotTagBarras(double h)
{
    LoteDibujo lote;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        loteAnchoLinea(1);
        loteColor(0.8f, 0.8f, 0.8f);
        empujarCorrimientoEtiqueta(extremoInicial(b), extremoFinal(b), 0,
                                   textoNumero(b.getNoBarraUsuario(), 0, 'f'), h);
        drawNumFloatFacing((b.getXi() + b.getXf()) / 2, (b.getYi() + b.getYf()) / 2,
                           (b.getZi() + b.getZf()) / 2, b.getNoBarraUsuario(), 0, h, 2);
        loteSacarMatriz();
    }
}

void plotSecciones(double h)
{
    LoteDibujo lote;
    // Con los números de las barras, en el mismo ancla, el nombre va un
    // renglón debajo del número: juntos se leerían como una sola palabra
    const int renglonNombre = flagEncendido(flagTagBarras) ? 1 : 0;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        // Sin sección el nombre es vacío y la barra avisa una vez, no en cada cuadro
        std::string nombre;
        if (b.getBoolSeccion() || primerAvisoSinSeccion(i)) nombre = b.getNombreDeSeccion();
        loteAnchoLinea(1);
        loteColor(0.8f, 0.8f, 0.8f);
        empujarCorrimientoEtiqueta(extremoInicial(b), extremoFinal(b), 0, nombre, h,
                                   renglonNombre);
        textoDeCaraEnRenglon((b.getXi() + b.getXf()) / 2, (b.getYi() + b.getYf()) / 2,
                             (b.getZi() + b.getZf()) / 2, nombre.c_str(), h, 2, renglonNombre);
        loteSacarMatriz();
        empujarMarcoBarra(b);
        loteTrasladar(aFloat(b.getLongitud() / 4), 0, 0);
        loteAnchoLinea(1);
        loteColor(0.3f, 0.3f, 0.3f);
        trazarContorno(b.getPerimetroSeccion(), 0);
        loteSacarMatriz();
    }
}

void plotVolumen()
{
    LoteDibujo lote;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) continue;
        objBarra3d& b = barra[i];
        empujarMarcoBarra(b);
        MatrixXd c = b.getPerimetroSeccion();
        int tipo = b.getCodigoSeccion();
        double L = b.getLongitud();
        const Color relleno = colorRelleno(tipo);
        const Color blanco = {1, 1, 1};
        loteAnchoLinea(1);
        for (Eigen::Index k = 0; k + 1 < c.cols(); k++) {
            caraLateral(c, k, L, relleno);
            bordeCara(c, k, L, blanco);
        }
        loteAnchoLinea(2);
        trazarContorno(c, 0, &blanco);
        trazarContorno(c, L, &blanco);
        loteSacarMatriz();
    }
}
