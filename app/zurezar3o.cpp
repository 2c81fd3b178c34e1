// Definición de todas las variables globales.
#include "app/zurezar3o.h"

#include <tuple>
#include <type_traits>

std::string nombreArchivo;

int noNudos = 0;
int noBarras = 0;
int noCombos = 0;
std::vector<objNudo3d> nudo;
std::vector<objBarra3d> barra;
VectorXi punteroBarras;
VectorXi punteroNudos;

double escalaTexto = 0;
int precision = 0;
double escalaDef = 0;
double escalaMy = 0;
double escalaMz = 0;
double escalaVy = 0;
double escalaVz = 0;
double escalaN = 0;
double escalaT = 0;
double escalaApoyo = 0;
double escalaCarga = 0;

double xMin = 0, xMax = 0, yMin = 0, yMax = 0, zMin = 0, zMax = 0;
double xCam = 0, yCam = 0, zCam = 0;
double xCentroObj = 0, yCentroObj = 0, zCentroObj = 0;
double diagonal = 0;
double distCamObj = 0;

int clickIzq = 0, clickCentro = 0;
int xLast = 0, yLast = 0;
int xClickIzq = 0, yClickIzq = 0;
double deltaAngHoriz = 0, deltaAngVert = 0;

std::string dialogo = "Comando:";
std::string comando;
std::vector<int> flags(200, 0);
VectorXi barrasAisladas;
VectorXi nudosAislados;
int wVentana = 0, hVentana = 0;

MatrixXd u;
MatrixXd reacciones;
MatrixXd kEstructura;
MatrixXd pEstructura;
MatrixXd fEstructura;
VectorXi restriccionesEstructura;

double PI = 3.141592653589793;
int numeroComboCoincidente = -1;

std::string mensajeAnalisis;
tiemposAnalisis tiemposUltimoAnalisis;

unsigned long versionModelo = 0;
unsigned long versionResultados = 0;

void reiniciarModelo()
{
    // Cada uno a su valor de arranque: vacío o 0
    auto vaciar = [](auto&... g) { ((g = std::decay_t<decltype(g)>()), ...); };
    std::apply(vaciar, globalesCantidades());
    std::apply(vaciar, globalesModelo());
    versionModelo++;
}

