// Símbolos de apoyo en ejes globales, según los seis códigos del nudo.
#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/lotePlot.h"

namespace {

// Casos del símbolo, en el orden en que se prueban
enum CasoApoyo {
    apoyoEmpotrado = 1,
    apoyoArticulado = 2,
    apoyoRodilloXY = 3,
    apoyoRodilloY = 4,
    apoyoRodilloX = 5,
    apoyoOtro = 6,
    apoyoLibre = 7
};

bool codigosSon(const VectorXi& c, int ux, int uy, int uz, int rx, int ry, int rz)
{
    return c(0) == ux && c(1) == uy && c(2) == uz && c(3) == rx && c(4) == ry && c(5) == rz;
}

CasoApoyo casoDeApoyo(const VectorXi& c)
{
    if (c.size() < 6) return apoyoLibre;
    if (codigosSon(c, 1, 1, 1, 1, 1, 1)) return apoyoEmpotrado;
    if (codigosSon(c, 1, 1, 1, 0, 0, 0)) return apoyoArticulado;
    if (codigosSon(c, 0, 0, 1, 0, 0, 0)) return apoyoRodilloXY;
    if (codigosSon(c, 1, 0, 1, 0, 0, 0)) return apoyoRodilloY;
    if (codigosSon(c, 0, 1, 1, 0, 0, 0)) return apoyoRodilloX;
    long suma = 0;
    for (int k = 0; k < 6; k++) suma += c(k);
    return suma > 0 ? apoyoOtro : apoyoLibre;
}

void linea(float x1, float y1, float z1, float x2, float y2, float z2)
{
    loteVertice(x1, y1, z1);
    loteVertice(x2, y2, z2);
}

const float base = -1.3f;

// Cruz de la base: sus dos líneas (las tandas las juntan igual)
void cruzBase()
{
    loteComenzar(GL_LINES);
    linea(-1, 0, base, 1, 0, base);
    linea(0, -1, base, 0, 1, base);
    loteTerminar();
}

void patasXZ()
{
    linea(-0.75f, 0, base, 0, 0, 0);
    linea(0.75f, 0, base, 0, 0, 0);
}

void patasYZ()
{
    linea(0, -0.75f, base, 0, 0, 0);
    linea(0, 0.75f, base, 0, 0, 0);
}

// Círculos de radio 0.65 que tocan el nudo arriba y la base abajo,
// en el plano X-Z y/o en el Y-Z, bajo la matriz ya empujada
void circulos(bool planoXZ, bool planoYZ)
{
    loteTrasladar(0, 0, -0.65f);
    loteGirar(90, 1, 0, 0);
    if (planoXZ) plotArcoXY(0.65, 0, 360);
    if (planoYZ) {
        loteGirar(90, 0, 1, 0);
        plotArcoXY(0.65, 0, 360);
    }
}

void dibujarCaso(CasoApoyo caso)
{
    switch (caso) {
    case apoyoEmpotrado:
        loteAnchoLinea(3);
        loteComenzar(GL_LINES);
        linea(-1, 0, 0, 1, 0, 0);
        loteTerminar();
        loteAnchoLinea(1);
        loteComenzar(GL_LINES);
        linea(-1, 0, -0.6f, -0.67f, 0, 0);
        linea(-0.67f, 0, -0.6f, -0.33f, 0, 0);
        linea(-0.33f, 0, -0.6f, 0, 0, 0);
        linea(0, 0, -0.6f, 0.33f, 0, 0);
        linea(0.33f, 0, -0.6f, 0.67f, 0, 0);
        loteTerminar();
        break;
    case apoyoArticulado:
        loteAnchoLinea(3);
        cruzBase();
        loteAnchoLinea(1);
        loteComenzar(GL_LINES);
        patasXZ();
        patasYZ();
        loteTerminar();
        break;
    case apoyoRodilloXY:
    case apoyoRodilloY:
    case apoyoRodilloX:
        loteAnchoLinea(3);
        cruzBase();
        loteAnchoLinea(1);
        loteEmpujarMatriz();
        circulos(caso != apoyoRodilloY, caso != apoyoRodilloX);
        loteSacarMatriz();
        if (caso != apoyoRodilloXY) {
            loteComenzar(GL_LINES);
            if (caso == apoyoRodilloY) {
                patasXZ();
            } else {
                patasYZ();
            }
            loteTerminar();
        }
        break;
    case apoyoOtro:
        loteAnchoLinea(2);
        loteComenzar(GL_LINES);
        linea(-1, 0, 0, 1, 0, 0);
        loteTerminar();
        loteComenzar(GL_LINES);
        linea(0, -1, 0, 0, 1, 0);
        loteTerminar();
        loteComenzar(GL_LINES);
        linea(0, 0, -1, 0, 0, 1);
        loteTerminar();
        break;
    case apoyoLibre:
        break;
    }
}

}  // namespace

void plotApoyos(double s)
{
    LoteDibujo lote;
    for (int i = 0; i < cantidadNudos(); i++) {
        if (!visible(nudosAislados, i)) continue;
        VectorXi codigos = nudo[i].getVectorApoyo();
        CasoApoyo caso = casoDeApoyo(codigos);
        if (caso == apoyoLibre) continue;
        double tam = s == 0 ? diagonal / 50 : s;
        loteEmpujarMatriz();
        loteTrasladar(aFloat(nudo[i].getX()), aFloat(nudo[i].getY()), aFloat(nudo[i].getZ()));
        loteEscalar(aFloat(tam), aFloat(tam), aFloat(tam));
        loteColor(0.8f, 0.8f, 0.3f);
        dibujarCaso(caso);
        loteSacarMatriz();
    }
}
