/* The Sprites32 workload drawn by SDL2's own 2D renderer (its OpenGL backend, batching
   on, vsync off), so that the game's frame time can be measured beside it in the same
   run. kelvane_bench starts it; alone:
     kelvane_sdl_sprites COUNT FRAMES PICTURE
   draws COUNT copies of PICTURE, 32 px square, each turned by its own angle that
   changes every frame, alpha-blended, in a 1280 x 720 window, and prints the mean
   wall time of FRAMES frames as "ms_per_frame=<milliseconds>" and the mean CPU time of
   the process (the software renderer's threads included) as "cpu_ms_per_frame=". The
   sprites stand and turn exactly where the game's benchmark puts them
   (bench/SpritesBench.cpp). */
#include <SDL.h>
#include <SDL_image.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

enum
{
	kWidth = 1280,
	kHeight = 720,
	kSize = 32,
	kWarmUpFrames = 5,
};

/* Sprite i's centre in pixels and its angle in radians at a frame; the game's
   benchmark computes the same. */
static float CentreX( int i ) { return (float)( kSize / 2 + ( i * 7919 ) % ( kWidth - kSize ) ); }
static float CentreY( int i ) { return (float)( kSize / 2 + ( i * 104729 ) % ( kHeight - kSize ) ); }
static float Angle( int i, int frame ) { return 0.37f * (float)i + 0.05f * (float)frame; }

static double CpuMilliseconds( void )
{
	struct timespec now;
	clock_gettime( CLOCK_PROCESS_CPUTIME_ID, &now );
	return (double)now.tv_sec * 1000.0 + (double)now.tv_nsec / 1e6;
}

static int Fail( const char* what )
{
	fprintf( stderr, "kelvane_sdl_sprites: %s: %s\n", what, SDL_GetError() );
	return 1;
}

static void DrawFrame( SDL_Renderer* renderer, SDL_Texture* texture, int count, int frame )
{
	SDL_PumpEvents();
	SDL_SetRenderDrawColor( renderer, 100, 100, 255, 255 );
	SDL_RenderClear( renderer );
	for ( int i = 0; i < count; ++i )
	{
		const SDL_FRect target = { CentreX( i ) - kSize / 2.0f, CentreY( i ) - kSize / 2.0f, kSize, kSize };
		SDL_RenderCopyExF( renderer, texture, NULL, &target, Angle( i, frame ) * 57.29578f, NULL, SDL_FLIP_NONE );
	}
	SDL_RenderPresent( renderer );
}

int main( int argc, char** argv )
{
	if ( argc != 4 || atoi( argv[1] ) <= 0 || atoi( argv[2] ) <= 0 )
	{
		fprintf( stderr, "usage: kelvane_sdl_sprites COUNT FRAMES PICTURE\n" );
		return 2;
	}
	const int count = atoi( argv[1] );
	const int frames = atoi( argv[2] );

	SDL_SetHint( SDL_HINT_RENDER_DRIVER, "opengl" );
	SDL_SetHint( SDL_HINT_RENDER_BATCHING, "1" );
	SDL_SetHint( SDL_HINT_RENDER_VSYNC, "0" );
	/* The game samples its textures linearly; so does SDL here. */
	SDL_SetHint( SDL_HINT_RENDER_SCALE_QUALITY, "linear" );
	if ( SDL_Init( SDL_INIT_VIDEO ) != 0 )
		return Fail( "no video" );
	SDL_Window* window = SDL_CreateWindow( "Sprites32", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth,
	                                       kHeight, SDL_WINDOW_OPENGL );
	if ( !window )
		return Fail( "no window" );
	SDL_Renderer* renderer = SDL_CreateRenderer( window, -1, SDL_RENDERER_ACCELERATED );
	if ( !renderer )
		return Fail( "no renderer" );
	SDL_RendererInfo info;
	if ( SDL_GetRendererInfo( renderer, &info ) != 0 || strcmp( info.name, "opengl" ) != 0 )
	{
		fprintf( stderr, "kelvane_sdl_sprites: the renderer is not SDL's OpenGL one\n" );
		return 1;
	}
	SDL_Texture* texture = IMG_LoadTexture( renderer, argv[3] );
	if ( !texture )
		return Fail( "cannot load the picture" );
	SDL_SetTextureBlendMode( texture, SDL_BLENDMODE_BLEND );

	for ( int frame = 0; frame < kWarmUpFrames; ++frame )
		DrawFrame( renderer, texture, count, frame );
	const double cpuStart = CpuMilliseconds();
	const Uint64 start = SDL_GetPerformanceCounter();
	for ( int frame = 0; frame < frames; ++frame )
		DrawFrame( renderer, texture, count, kWarmUpFrames + frame );
	const double seconds = (double)( SDL_GetPerformanceCounter() - start ) / (double)SDL_GetPerformanceFrequency();
	printf( "ms_per_frame=%.4f\ncpu_ms_per_frame=%.4f\n", seconds * 1000.0 / frames,
	        ( CpuMilliseconds() - cpuStart ) / frames );

	SDL_DestroyTexture( texture );
	SDL_DestroyRenderer( renderer );
	SDL_DestroyWindow( window );
	SDL_Quit();
	return 0;
}
