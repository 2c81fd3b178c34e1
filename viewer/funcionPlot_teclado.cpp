// Línea de comandos, teclas directas, teclas de función y recarga del archivo.
#include <GL/freeglut.h>

#include <climits>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/zurezar3o.h"
#include "input/funcionLeerArchivo.h"
#include "viewer/comunPlot.h"
#include "viewer/funcionPlot.h"

namespace {

const std::string textoIngrese = "Ingrese Comando:";
const std::string preguntaCombo = "Escriba el nombre del Combo y presione ENTER:";
const std::string preguntaAislar = "Escriba lista de barras a aislar separadas por espacios:";
const std::string respuestaComboNoExiste = "el combo no existe. Ingrese Comando:";
const std::string respuestaComboOk = "Combo Activado/Desactivado, OK. Ingrese Comando:";
const std::string respuestaComboSinInterruptor = "Solo se pueden mostrar los primeros " +
                                                  std::to_string(maxCombosFlags) +
                                                  " combos. Ingrese Comando:";
const std::string respuestaListaInvalida =
    "Existen valores no válidos en la lista de barras.  Ingrese Comando:";
// Seguida del número tal como se escribió, un punto y textoIngrese
const std::string respuestaBarraNoExiste = "No existe la barra ";

int leerModificadoresGlut() { return glutGetModifiers(); }

// Comandos que responden primero y después conmutan
struct ComandoSimple {
    const char* palabra;
    int flag;
};
const ComandoSimple comandosSimples[] = {
    {"plotEjes", flagEjes},       {"tagNudos", flagTagNudos}, {"tagBarras", flagTagBarras},
    {"secciones", flagSecciones}, {"plotVolumen", flagVolumen},
};

// Los apoyos conmutan y responden como los dibujos de resultados
const char* const apoyosActivados = "Graficacion de Apoyos Activada. Ingrese Comando:";
const char* const apoyosDesactivados = "Graficacion de Apoyos Desactivada. Ingrese Comando:";

// Conmuta el flag y responde según su estado nuevo
void conmutarYResponder(int flag, const char* activado, const char* desactivado)
{
    modificadorFlagsGraf(flag);
    dialogo = flagEncendido(flag) ? activado : desactivado;
}

void multiplicarEscalasDiagrama(double factor)
{
    for (const TipoResultado& t : tiposResultado) {
        if (t.escala != nullptr && flagEncendido(t.flag)) *t.escala *= factor;
    }
}

// Teclas de escala: '+' y '-' cambian la escala del dibujo de resultados
// encendido, y con Shift la del texto. Para el teclado principal, además, '='
// (la tecla + sin Shift del teclado de EE. UU.) agranda el dibujo, y '*' y '_'
// (Shift con las teclas + y - del teclado español y del latinoamericano; '_'
// también en el de EE. UU.) agrandan y achican el texto. '+' y '-' nunca se
// escriben en la línea de comandos; '=', '*' y '_' sí mientras se escribe una
// línea o hay una pregunta pendiente (un combo que se llama ELU_1).
enum class QueEscala { segunShift, diagrama, texto };
enum class SeEscribe { nunca, alEscribirUnaLinea };
struct TeclaEscala {
    unsigned char tecla;
    QueEscala escala;
    double factor;
    SeEscribe seEscribe;
};
const TeclaEscala teclasEscala[] = {
    {'+', QueEscala::segunShift, 1.1, SeEscribe::nunca},
    {'-', QueEscala::segunShift, 1 / 1.1, SeEscribe::nunca},
    {'=', QueEscala::diagrama, 1.1, SeEscribe::alEscribirUnaLinea},
    {'*', QueEscala::texto, 1.1, SeEscribe::alEscribirUnaLinea},
    {'_', QueEscala::texto, 1 / 1.1, SeEscribe::alEscribirUnaLinea},
};

bool escribiendoUnaLinea()
{
    return !comando.empty() || dialogo == preguntaCombo || dialogo == preguntaAislar;
}

// La tecla de escala de ese carácter; nullptr si no es una o si ahora se escribe
const TeclaEscala* buscarTeclaEscala(unsigned char key)
{
    for (const TeclaEscala& t : teclasEscala) {
        if (t.tecla != key) continue;
        if (t.seEscribe == SeEscribe::alEscribirUnaLinea && escribiendoUnaLinea()) return nullptr;
        return &t;
    }
    return nullptr;
}

void cambiarEscala(const TeclaEscala& t)
{
    bool texto = t.escala == QueEscala::texto ||
                 (t.escala == QueEscala::segunShift &&
                  funcionLeerModificadores() == GLUT_ACTIVE_SHIFT);
    if (texto) {
        escalaTexto *= t.factor;
    } else {
        multiplicarEscalasDiagrama(t.factor);
    }
}

// Respuesta a la pregunta del combo
void responderCombo()
{
    numeroComboCoincidente = nombresCombosModelo().buscar(comando);
    if (numeroComboCoincidente == -1) {
        dialogo = respuestaComboNoExiste;
    } else if (numeroComboCoincidente >= maxCombosFlags) {
        dialogo = respuestaComboSinInterruptor;
    } else {
        flags[flagCombos + numeroComboCoincidente] += 1;
        dialogo = respuestaComboOk;
    }
}

// Elemento de la lista de barras hecho solo de dígitos
bool soloDigitos(const std::string& elemento)
{
    if (elemento.empty()) return false;
    for (char c : elemento) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

// Índice interno de la barra que lleva ese número de usuario; -1 si ninguna
// lo lleva (hueco de la numeración, fuera del mapa o número que no cabe en int)
int barraDeNumero(const std::string& elemento)
{
    long long numero = 0;
    for (char c : elemento) {
        numero = numero * 10 + (c - '0');
        if (numero > INT_MAX) return -1;
    }
    if (numero >= punteroBarras.size()) return -1;
    int m = punteroBarras(static_cast<int>(numero));
    if (m < 0 || m >= cantidadBarras() || m >= barrasAisladas.size()) return -1;
    if (barra[m].getNoBarraUsuario() != numero) return -1;
    int i = barra[m].getNudoInicioInterno();
    int j = barra[m].getNudoFinalInterno();
    if (i < 0 || i >= nudosAislados.size() || j < 0 || j >= nudosAislados.size()) return -1;
    return m;
}

// Respuesta a la pregunta de aislar
void responderAislar()
{
    std::vector<std::string> elementos;
    size_t inicio = 0;
    while (inicio < comando.size()) {
        size_t blanco = comando.find(' ', inicio);
        if (blanco == std::string::npos) blanco = comando.size();
        elementos.push_back(comando.substr(inicio, blanco - inicio));
        inicio = blanco + 1;
    }

    barrasAisladas.setZero();
    nudosAislados.setZero();

    for (const std::string& e : elementos) {
        if (!soloDigitos(e)) {
            dialogo = respuestaListaInvalida;
            return;
        }
    }
    std::vector<int> indices;
    for (const std::string& e : elementos) {
        int m = barraDeNumero(e);
        if (m < 0) {
            dialogo = respuestaBarraNoExiste + e + ". " + textoIngrese;
            return;
        }
        indices.push_back(m);
    }
    for (int m : indices) {
        barrasAisladas(m) = 1;
        nudosAislados(barra[m].getNudoInicioInterno()) = 1;
        nudosAislados(barra[m].getNudoFinalInterno()) = 1;
    }
    dialogo = textoIngrese;
}

// Ejecuta la línea escrita: pruebas independientes en orden fijo
void ejecutarComando()
{
    if (comando == "exit" || comando == "salir") std::exit(0);

    for (const ComandoSimple& c : comandosSimples) {
        if (comando == c.palabra) {
            dialogo = textoIngrese;
            modificadorFlagsGraf(c.flag);
        }
    }
    if (comando == "noTags") {
        flags[flagTagNudos] = 0;
        flags[flagTagBarras] = 0;
        flags[flagSecciones] = 0;
        dialogo = textoIngrese;
    }
    for (const TipoResultado& t : tiposResultado) {
        if (comando == t.comando) conmutarYResponder(t.flag, t.activado, t.desactivado);
    }
    if (comando == "plotApoyos") {
        conmutarYResponder(flagApoyos, apoyosActivados, apoyosDesactivados);
    }
    if (dialogo == preguntaCombo) responderCombo();
    if (comando == "combo") dialogo = preguntaCombo;
    if (comando == "noAislar") {
        barrasAisladas.setOnes();
        nudosAislados.setOnes();
        dialogo = textoIngrese;
    }
    if (dialogo == preguntaAislar) responderAislar();
    if (comando == "aislar") dialogo = preguntaAislar;
}

}  // namespace

int (*funcionLeerModificadores)() = leerModificadoresGlut;

void teclado(unsigned char key, int, int)
{
    if (key == 27) std::exit(0);

    if (key == 13) {
        ejecutarComando();
        comando.clear();
    } else if (key == 8) {
        if (!comando.empty()) comando.pop_back();
    } else if (const TeclaEscala* t = buscarTeclaEscala(key)) {
        cambiarEscala(*t);
    } else if (funcionLeerModificadores() == GLUT_ACTIVE_ALT) {
        switch (key) {
        case 't':
        case 'T':
            modificadorFlagsGraf(flagTextoDiagramas);
            break;
        case 'f':
        case 'F':
            modificadorFlagsGraf(flagLineasInternas);
            break;
        case 'n':
        case 'N':
            modificadorFlagsGraf(flagNudos);
            break;
        case 'c':
        case 'C':
            modificadorFlagsGraf(flagPerspectiva);
            funcionAplicarProyeccion();
            break;
        default:
            break;
        }
    } else if (key >= 32 && key != 127) {
        // Las teclas que no se imprimen (NUL, Tab, Ctrl+letra, Supr) no se escriben
        comando.push_back(static_cast<char>(key));
    }
    glutPostRedisplay();
}

void tecladoEspecial(int key, int, int)
{
    switch (key) {
    case GLUT_KEY_F1:
        modificadorFlagsGraf(flagAyuda);
        break;
    case GLUT_KEY_F12:
        modificadorFlagsGraf(flagAyudaEtiquetas);
        break;
    case GLUT_KEY_F2:
        xCam = xCentroObj;
        yCam = yCentroObj - diagonal;
        zCam = zCentroObj;
        break;
    case GLUT_KEY_F3:
        xCam = xCentroObj - diagonal;
        yCam = yCentroObj;
        zCam = zCentroObj;
        break;
    case GLUT_KEY_F4:
        // Un poco fuera de la vertical: la órbita divide por la distancia horizontal
        xCam = xCentroObj - 1e-9;
        yCam = yCentroObj;
        zCam = zCentroObj + diagonal;
        break;
    case GLUT_KEY_F5:
        funcionRecargar();
        break;
    default:
        return;
    }
    glutPostRedisplay();
}

void funcionRecargar()
{
    std::cout << "\n\n\n"
              << "------------------------Reinicio del programa------------------"
              << "\n"
              << std::flush;
    funcionFlagsInicio();
    reiniciarModelo();
    funcionLeerArchivo();
    funcionVistaNuevoModelo();
    funcionAplicarProyeccion();
}
