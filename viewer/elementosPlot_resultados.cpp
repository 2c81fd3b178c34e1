// Dibujos de resultados: deformada, diagramas de esfuerzos y reacciones.
// Sin resultados para el combo pedido (antes de "Calcular" o tras recargar)
// no dibujan nada.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/zurezar3o.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"
#include "viewer/lotePlot.h"

namespace {

const int estaciones = 21;

// Tramos sueltos de un color; se cierran con loteTerminar
void abrirTramos(const Color& c)
{
    loteAnchoLinea(1);
    loteComenzar(GL_LINES);
    loteColor(c);
}

void tramo(double x1, double y1, double z1, double x2, double y2, double z2)
{
    loteVertice(aFloat(x1), aFloat(y1), aFloat(z1));
    loteVertice(aFloat(x2), aFloat(y2), aFloat(z2));
}

// Rótulo adicional de un diagrama
enum class Rotulo { ninguno, corteNulo, momentoExtremo };

struct Diagrama {
    MatrixXd (objBarra3d::*solicitacion)(int, int);
    int eje;       // 1: ordenada sobre y local, 2: sobre z local
    double signo;  // los momentos se dibujan con el signo invertido
    Color interna, contorno, texto;
    Rotulo rotulo;
};

// Punto de la ordenada v en la estación x
void ordenada(const Diagrama& d, double x, double v, double s, double p[3])
{
    p[0] = x;
    p[1] = d.eje == 1 ? d.signo * v * s : 0;
    p[2] = d.eje == 2 ? d.signo * v * s : 0;
}

void plotDiagrama(const Diagrama& d, int c, double s)
{
    LoteDibujo lote;
    const double h = escalaTexto;
    for (int i = 0; i < cantidadBarras(); i++) {
        if (!visible(barrasAisladas, i)) {
            continue;
        }
        objBarra3d& b = barra[static_cast<size_t>(i)];
        if (!b.getBoolResultados(c)) {
            continue;
        }
        MatrixXd D = (b.*d.solicitacion)(c, estaciones);
        if (D.rows() != 2 || D.cols() != estaciones) {
            continue;
        }
        empujarMarcoBarra(b);
        loteAnchoLinea(1);
        double p[estaciones][3];
        for (int j = 0; j < estaciones; j++) {
            ordenada(d, D(0, j), D(1, j), s, p[j]);
        }
        if (flagEncendido(flagLineasInternas)) {
            abrirTramos(d.interna);
            for (int j = 0; j < estaciones; j++) {
                tramo(D(0, j), 0, 0, p[j][0], p[j][1], p[j][2]);
            }
            loteTerminar();
        }
        abrirTramos(d.contorno);
        for (int k = 0; k + 1 < estaciones; k++) {
            tramo(p[k][0], p[k][1], p[k][2], p[k + 1][0], p[k + 1][1], p[k + 1][2]);
        }
        loteTerminar();
        if (flagEncendido(flagTextoDiagramas)) {
            loteColor(d.texto);
            const double* p0 = p[0];
            const double* pn = p[estaciones - 1];
            drawNumFloat(p0[0], p0[1], p0[2], D(1, 0), precision, h, 1);
            drawNumFloat(pn[0], pn[1], pn[2], D(1, estaciones - 1), precision, h, 3);
            if (d.rotulo != Rotulo::ninguno) {
                bool planoY = d.eje == 1;
                double x0 = planoY ? b.getXVYcero(c) : b.getXVZcero(c);
                if (x0 != -1 && d.rotulo == Rotulo::corteNulo) {
                    std::string texto = "x0= " + textoNumero(x0, precision, 'f');
                    drawTextoEscalado(x0, planoY ? 0.2 * h : 0, planoY ? 0 : 0.2 * h,
                                      texto.c_str(), h, 2);
                } else if (x0 != -1) {
                    double m = planoY ? b.getMymax(c) : b.getMzmax(c);
                    double q[3];
                    ordenada(d, x0, m, s, q);
                    drawNumFloat(q[0], q[1], q[2], m, precision, h, 2);
                }
            }
        }
        loteSacarMatriz();
    }
}

const Color colorAmarillo{0.4f, 0.4f, 0};
const Color colorAmarilloTexto{0.5f, 0.5f, 0};
const Color colorMomento{0.5f, 0.1f, 0};
const Color colorMomentoContorno{0.7f, 0.2f, 0};

const Diagrama diagramaAxial{&objBarra3d::getSolicitacionAxial, 1, 1, {0, 0.2f, 0.7f},
                             {0, 0.2f, 0.7f}, {0.4f, 0.4f, 0.9f}, Rotulo::ninguno};
const Diagrama diagramaCortanteY{&objBarra3d::getSolicitacionVy, 1, 1, colorAmarillo,
                                 colorAmarilloTexto, colorAmarilloTexto, Rotulo::corteNulo};
const Diagrama diagramaMomentoY{&objBarra3d::getSolicitacionMy, 1, -1, colorMomento,
                                colorMomentoContorno, colorAmarilloTexto,
                                Rotulo::momentoExtremo};
const Diagrama diagramaCortanteZ{&objBarra3d::getSolicitacionVz, 2, 1, colorAmarillo,
                                 colorAmarilloTexto, colorAmarilloTexto, Rotulo::corteNulo};
const Diagrama diagramaMomentoZ{&objBarra3d::getSolicitacionMz, 2, -1, colorMomento,
                                colorMomentoContorno, colorAmarilloTexto,
                                Rotulo::momentoExtremo};
const Diagrama diagramaTorsion{&objBarra3d::getSolicitacionTorsion, 1, 1, {0.6f, 0.25f, 0.6f},
                               {0.99f, 0.5f, 0.99f}, {0.4f, 0.4f, 0.9f}, Rotulo::ninguno};

// Bajo el redondeo del análisis: una componente de menos de 1e-12 veces la
// mayor de su clase en el combo (traslación o giro, de cualquier nudo) se
// escribe 0. La de su clase y no la de su dirección: en un pórtico plano todas
// las Uy son redondeo, también la mayor de ellas.
const double redondeoRelativo = 1e-12;

// La mayor traslación y el mayor giro, en valor absoluto, de los nudos con
// resultados del combo c
void mayoresDelCombo(int c, double& traslacion, double& giro)
{
    traslacion = 0;
    giro = 0;
    for (int i = 0; i < cantidadNudos(); i++) {
        objNudo3d& n = nudo[static_cast<size_t>(i)];
        if (n.getCantidadDeResultados() <= c) continue;
        for (double v :
             {n.getDesplazamientoX(c), n.getDesplazamientoY(c), n.getDesplazamientoZ(c)}) {
            traslacion = std::max(traslacion, std::fabs(v));
        }
        for (double v : {n.getGiroX(c), n.getGiroY(c), n.getGiroZ(c)}) {
            giro = std::max(giro, std::fabs(v));
        }
    }
}

double sinRedondeo(double v, double mayor)
{
    return std::fabs(v) < redondeoRelativo * mayor ? 0.0 : v;
}

}  // namespace

void plotAxial(int c, double s) { plotDiagrama(diagramaAxial, c, s); }
void plotCortanteY(int c, double s) { plotDiagrama(diagramaCortanteY, c, s); }
void plotMomentoY(int c, double s) { plotDiagrama(diagramaMomentoY, c, s); }
void plotCortanteZ(int c, double s) { plotDiagrama(diagramaCortanteZ, c, s); }
void plotMomentoZ(int c, double s) { plotDiagrama(diagramaMomentoZ, c, s); }
void plotTorsion(int c, double s) { plotDiagrama(diagramaTorsion, c, s); }

void plotDeformada(int c, double s)
{
    LoteDibujo lote;
    const double h = escalaTexto;
    double mayorTraslacion = 0, mayorGiro = 0;
    mayoresDelCombo(c, mayorTraslacion, mayorGiro);
    for (int i = 0; i < cantidadNudos(); i++) {
        if (!visible(nudosAislados, i)) {
            continue;
        }
        objNudo3d& n = nudo[static_cast<size_t>(i)];
        if (n.getCantidadDeResultados() <= c) {
            continue;
        }
        double valores[6] = {n.getDesplazamientoX(c), n.getDesplazamientoY(c),
                             n.getDesplazamientoZ(c), n.getGiroX(c),
                             n.getGiroY(c), n.getGiroZ(c)};
        loteEmpujarMatriz();
        loteTrasladar(aFloat(n.getX() + valores[0] * s), aFloat(n.getY() + valores[1] * s),
                     aFloat(n.getZ() + valores[2] * s));
        loteGirar(90, 1, 0, 0);
        double r = diagonal / 300;
        // Ancho 1 también para los números: no el que dejó el dibujo anterior
        loteAnchoLinea(1);
        loteColor(0, 0.7f, 0.7f);
        loteEsfera(r, 12, 12);
        loteColor(0.7f, 0.7f, 0.7f);
        if (flagEncendido(flagTextoDiagramas)) {
            drawTextoEscalado(r, h, 0, "Ux, Uy, Uz ,Gx, Gy, Gz", h, 1);
            for (int k = 0; k < 6; k++) {
                double v = sinRedondeo(valores[k], k < 3 ? mayorTraslacion : mayorGiro);
                drawNumSci(r, -k * h, 0, v, precision, h, 1);
            }
        }
        loteSacarMatriz();
    }
    const Color colorCurva{0, 0.7f, 0.7f};
    for (int j = 0; j < cantidadBarras(); j++) {
        if (!visible(barrasAisladas, j)) {
            continue;
        }
        objBarra3d& b = barra[static_cast<size_t>(j)];
        int ni = b.getNudoInicioInterno();
        if (!b.getBoolResultados(c) || ni < 0 || ni >= static_cast<int>(nudo.size())) {
            continue;
        }
        MatrixXd D = b.getBarraDeformada(c, estaciones, s);
        if (D.rows() != 3 || D.cols() != estaciones) {
            continue;
        }
        objNudo3d& n = nudo[static_cast<size_t>(ni)];
        empujarMarcoBarra(b, n.getDesplazamientoX(c) * s, n.getDesplazamientoY(c) * s,
                          n.getDesplazamientoZ(c) * s);
        abrirTramos(colorCurva);
        for (int k = 0; k + 1 < estaciones; k++) {
            tramo(D(0, k), D(1, k), D(2, k), D(0, k + 1), D(1, k + 1), D(2, k + 1));
        }
        loteTerminar();
        loteSacarMatriz();
    }
}

void plotReacciones(int c)
{
    LoteDibujo lote;
    static const char* const prefijos[6] = {"Rx: ", "Ry: ", "Rz: ", "Mx: ", "My: ", "Mz: "};
    const double h = escalaTexto;
    for (int i = 0; i < cantidadNudos(); i++) {
        objNudo3d& n = nudo[static_cast<size_t>(i)];
        if (n.getCantidadDeResultados() <= c) {
            continue;
        }
        VectorXi apoyo = n.getApoyo();
        double valores[6] = {n.getReaccionRx(c), n.getReaccionRy(c), n.getReaccionRz(c),
                             n.getReaccionMx(c), n.getReaccionMy(c), n.getReaccionMz(c)};
        double d = diagonal / 100;
        loteEmpujarMatriz();
        loteTrasladar(aFloat(n.getX()), aFloat(n.getY()), aFloat(n.getZ()));
        loteGirar(90, 1, 0, 0);
        loteColor(1, 0, 0);
        loteAnchoLinea(1);
        double y = 0;
        for (int k = 0; k < 6 && k < apoyo.size(); k++) {
            if (apoyo(k) != 1) {
                continue;
            }
            std::string texto = prefijos[k] + textoNumero(valores[k], precision, 'f');
            drawTextoEscalado(d, y, 0, texto.c_str(), h, 1);
            y -= h;
        }
        loteSacarMatriz();
    }
}
