// Diagramas de los ejemplos resueltos desde su archivo: el plano sin carga
// transversal (z local de las vigas horizontales sin rodar, y local de las
// columnas) solo lleva los valores de los extremos, sin "x0= " ni momento
// extremo; el plano cargado lleva sus rótulos donde el corte se anula.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/analisis.h"
#include "input/funcionLeerArchivo.h"
#include "viewer/prueba_diagramas_ayuda.h"

using namespace pruebaResultados;

namespace {

// Vista ortográfica oblicua que abarca los ejemplos sin recortar nada
void vistaOblicua()
{
    glViewport(0, 0, 1000, 800);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-40, 40, -32, 32, -500, 500);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-60, 1, 0, 0);
    glRotatef(-35, 0, 0, 1);
    glTranslatef(-8, -4, -2);
}

struct DiagramaPlano {
    const char* nombre;
    void (*plot)(int, double);
    MatrixXd (objBarra3d::*getter)(int, int);
    double* escala;
    bool planoY;
    bool momento;
};

const DiagramaPlano diagramas[] = {
    {"Vy", plotCortanteY, &objBarra3d::getSolicitacionVy, &escalaVy, true, false},
    {"My", plotMomentoY, &objBarra3d::getSolicitacionMy, &escalaMy, true, true},
    {"Vz", plotCortanteZ, &objBarra3d::getSolicitacionVz, &escalaVz, false, false},
    {"Mz", plotMomentoZ, &objBarra3d::getSolicitacionMz, &escalaMz, false, true},
};

const Color textoDiagrama{0.5f, 0.5f, 0};

// El estado del visor (archivo, ajustes de dibujo, aislamiento) se repone al salir
class DiagramasEjemplos : public PruebaResultados {};

// Rótulos esperados del diagrama d de la barra b en el combo c: los valores
// de los extremos y, si se pide, el del corte nulo o el del momento extremo
std::vector<Trazo> rotulosEsperados(objBarra3d& b, int c, const DiagramaPlano& d, bool conPunto)
{
    const double h = escalaTexto, s = *d.escala, signo = d.momento ? -1 : 1;
    auto marco = [&b] {
        glTranslatef(static_cast<float>(b.getXi()), static_cast<float>(b.getYi()),
                     static_cast<float>(b.getZi()));
        glRotatef(static_cast<float>(b.getGammaDeg()), 0, 0, 1);
        glRotatef(static_cast<float>(b.getBetaDeg()), 0, 1, 0);
        glRotatef(static_cast<float>(b.getAlfaDeg()), 1, 0, 0);
    };
    auto numero = [&](double x, double v, double valor, int alineacion) {
        double o = signo * v * s;
        return capturarTrazos([&] {
            glPushMatrix();
            marco();
            glColor3f(textoDiagrama.r, textoDiagrama.g, textoDiagrama.b);
            drawNumFloat(x, d.planoY ? o : 0, d.planoY ? 0 : o, valor, precision, h, alineacion);
            glPopMatrix();
        });
    };
    MatrixXd D = (b.*d.getter)(c, 21);
    std::vector<Trazo> t = numero(0, D(1, 0), D(1, 0), 1);
    agregar(t, numero(D(0, 20), D(1, 20), D(1, 20), 3));
    if (conPunto) {
        double x0 = d.planoY ? b.getXVYcero(c) : b.getXVZcero(c);
        if (d.momento) {
            double m = d.planoY ? b.getMymax(c) : b.getMzmax(c);
            agregar(t, numero(x0, m, m, 2));
        } else {
            agregar(t, textoEsperado(textoDiagrama, marco, x0, d.planoY ? 0.2 * h : 0,
                                     d.planoY ? 0 : 0.2 * h, "x0= " + fijo(x0, precision), h, 2));
        }
    }
    return t;
}

TEST_F(DiagramasEjemplos, PlanoSinCargaSoloConLosValoresDeLosExtremos)
{
    for (const char* archivo : {"vigaContinua.txt", "ingresoDatos.txt", "porticoCompleto.txt"}) {
        SCOPED_TRACE(archivo);
        ASSERT_TRUE(cargarYResolver(archivo)) << mensajeAnalisis;
        vistaOblicua();
        int sinCarga = 0, conPunto = 0;
        for (int i = 0; i < noBarras; i++) {
            objBarra3d& b = barra[static_cast<size_t>(i)];
            bool horizontal = b.getZi() == b.getZf() && b.getAlfaDeg() == 90;
            bool vertical = b.getXi() == b.getXf() && b.getYi() == b.getYf();
            barrasAisladas = VectorXi::Zero(noBarras);
            barrasAisladas(i) = 1;
            for (int c = 0; c < noCombos; c++) {
                for (const DiagramaPlano& d : diagramas) {
                    SCOPED_TRACE(std::string("barra ") + std::to_string(b.getNoBarraUsuario()) +
                                 ", combo " + std::to_string(c) + ", " + d.nombre);
                    bool planoSinCarga = (horizontal && !d.planoY) || (vertical && d.planoY);
                    flags[flagTextoDiagramas] = 0;
                    std::vector<Trazo> sinTexto = capturarTrazos([&] { d.plot(c, *d.escala); });
                    flags[flagTextoDiagramas] = 1;
                    std::vector<Trazo> textos = capturarTrazos([&] { d.plot(c, *d.escala); });
                    // lo que agrega el texto: quitar el dibujo sin texto
                    EXPECT_TRUE(quitarTrazos(textos, sinTexto).empty());
                    double x0 = d.planoY ? b.getXVYcero(c) : b.getXVZcero(c);
                    if (planoSinCarga) {
                        EXPECT_EQ(x0, -1);
                        sinCarga++;
                    } else if (x0 != -1) {
                        conPunto++;
                    }
                    esperarMismoDibujo(textos, rotulosEsperados(b, c, d, x0 != -1));
                }
            }
        }
        EXPECT_GT(sinCarga, 0);
        EXPECT_GT(conPunto, 0);
    }
}

// El caso visto en pantalla: viga continua, SERVICIO, las dos barras a la
// vez; Vz y Mz sin "x0= 1.875" ni "x0= 3.125" ni "0.000" de momento extremo,
// que siguen en Vy y My
TEST_F(DiagramasEjemplos, VigaContinuaServicio)
{
    ASSERT_TRUE(cargarYResolver("vigaContinua.txt")) << mensajeAnalisis;
    ASSERT_EQ(barra[0].getEtiquetasCombo()[0], "SERVICIO");
    ASSERT_EQ(precision, 3);
    EXPECT_EQ(fijo(barra[0].getXVYcero(0), precision), "1.875");
    EXPECT_EQ(fijo(barra[1].getXVYcero(0), precision), "3.125");
    vistaOblicua();
    barrasAisladas = VectorXi::Ones(noBarras);
    for (const DiagramaPlano& d : diagramas) {
        SCOPED_TRACE(d.nombre);
        flags[flagTextoDiagramas] = 0;
        std::vector<Trazo> sinTexto = capturarTrazos([&] { d.plot(0, *d.escala); });
        flags[flagTextoDiagramas] = 1;
        std::vector<Trazo> textos = capturarTrazos([&] { d.plot(0, *d.escala); });
        EXPECT_TRUE(quitarTrazos(textos, sinTexto).empty());
        std::vector<Trazo> esperados = rotulosEsperados(barra[0], 0, d, d.planoY);
        agregar(esperados, rotulosEsperados(barra[1], 0, d, d.planoY));
        esperarMismoDibujo(textos, esperados);
    }
}

}  // namespace
